// Painting of the schematic view against reference images: a small sheet with every kind of
// object rendered offscreen at a fixed size, pixel ratio 1 and the DejaVu fonts.
//
// The references are tests/data/view_painting/*.png. After a deliberate change of the
// painting, renew them with
//     KESTRO_UPDATE_REFERENCES=1 ctest --test-dir <build> -R gui_view_painting_test
// and look at the new pictures before committing them. A failing comparison writes the
// actual picture and a difference picture to <build>/screenshots/.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/objects/sim_part.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/gui_test_support.h"
#include "tests/gui/support/sample_sheet.h"

using namespace kestro;

namespace {

const QSize kImageSize(480, 320);
// Per channel, what font rendering may change between machines; and how many pixels may
// differ at all (0.4 % of the picture).
constexpr int kChannelTolerance = 48;
constexpr int kMaxDifferingPixels = 600;

QString ReferencePath(const QString& name) {
    return QStringLiteral(KESTRO_TEST_DATA) + "/view_painting/" + name + ".png";
}

QImage Render(CKestroView& view) {
    QImage image(kImageSize, QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::magenta);  // anything the view leaves unpainted shows
    QPainter painter(&image);
    view.PaintArea(painter, QRect(QPoint(0, 0), kImageSize));
    return image;
}

// Differing pixels; `difference` gets them in red on a faded copy of the reference.
int Compare(const QImage& actual, const QImage& reference, QImage& difference) {
    difference = reference.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb a = actual.pixel(x, y), r = reference.pixel(x, y);
            const bool same = std::abs(qRed(a) - qRed(r)) <= kChannelTolerance &&
                              std::abs(qGreen(a) - qGreen(r)) <= kChannelTolerance &&
                              std::abs(qBlue(a) - qBlue(r)) <= kChannelTolerance;
            if (same) {
                const int grey = 200 + qGray(r) / 5;
                difference.setPixel(x, y, qRgb(grey, grey, grey));
            } else {
                difference.setPixel(x, y, qRgb(255, 0, 0));
                ++differing;
            }
        }
    }
    return differing;
}

void CheckAgainstReference(const QImage& actual, const QString& name) {
    const QString path = ReferencePath(name);
    if (qEnvironmentVariableIsSet("KESTRO_UPDATE_REFERENCES")) {
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(actual.save(path));
        return;
    }
    const QImage reference(path);
    QVERIFY2(!reference.isNull(), qPrintable("no reference picture " + path));
    QCOMPARE(reference.size(), actual.size());
    QImage difference;
    const int differing = Compare(actual, reference, difference);
    if (differing > kMaxDifferingPixels) {
        const QString folder = QStringLiteral(KESTRO_BINARY_DIR) + "/screenshots";
        QDir().mkpath(folder);
        actual.save(folder + "/" + name + "_actual.png");
        difference.save(folder + "/" + name + "_difference.png");
        QFAIL(qPrintable(
            QString("%1 pixels differ from %2; see %3").arg(differing).arg(path, folder)));
    }
}

}  // namespace

class ViewPaintingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSheetWorkshop> m_workshop;
    std::shared_ptr<CCircuit> m_sheet;
    std::unique_ptr<CKestroView> m_view;

private slots:
    void initTestCase() {
        IsolateUserFolders();
        m_workshop = std::make_unique<CSheetWorkshop>();
        QVERIFY(m_workshop->library.GetElementCount() > 0);
        m_sheet = MakeEveryKindSheet(*m_workshop);
        // A page small enough that its division lines cross the picture.
        m_workshop->services.printPageSize = QSizeF(300, 200);
        m_view = std::make_unique<CKestroView>(m_sheet, m_workshop->services);
        m_view->resize(kImageSize);
        m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QCOMPARE(m_view->viewport()->size(), kImageSize);
    }

    void cleanupTestCase() {
        m_view.reset();
        m_sheet.reset();
        m_workshop.reset();
    }

    void everyKindAtTheStartingZoom() {
        m_view->SetZoom(1.2);
        m_view->ScrollTo({0, 0});
        // One selected element shows the selection frame.
        for (const auto& part : m_sheet->GetObjects())
            if (part->IsSimPart() && part->GetName() == "R1") m_view->Selection().Add(*part);
        m_view->UpdateSelectionBounds();
        const QImage image = Render(*m_view);
        m_view->Selection().Clear();
        m_view->UpdateSelectionBounds();
        CheckAgainstReference(image, "every_kind_zoom_1_2");
    }

    void everyKindZoomedOutWithoutGridAndTinyTexts() {
        // Below half a unit per pixel the grid is not drawn, even with "GRID" on.
        m_view->SetZoom(0.45);
        m_view->ScrollTo({0, 0});
        CheckAgainstReference(Render(*m_view), "every_kind_zoom_0_45");
    }

    void everyKindInBlackOnAWhitePageWithoutGridOrPageLines() {
        m_workshop->settings.grid = 0;
        m_workshop->settings.printPageBorder = 0;
        m_view->SetZoom(2.0);
        m_view->ScrollTo({40, 60});
        const QImage image = Render(*m_view);
        m_workshop->settings.grid = 1;
        m_workshop->settings.printPageBorder = 1;
        CheckAgainstReference(image, "every_kind_zoom_2_plain");
    }

    void repaintingAnAreaTouchesOnlyThatArea() {
        m_view->SetZoom(1.2);
        m_view->ScrollTo({0, 0});
        QImage image(kImageSize, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        const QRect area(100, 100, 40, 30);
        m_view->PaintArea(painter, area);
        painter.end();
        // The clip box is widened by 2 pixels and nothing is painted beyond it.
        QCOMPARE(image.pixel(97, 97), qRgb(255, 0, 255));
        QCOMPARE(image.pixel(143, 100), qRgb(255, 0, 255));
        QVERIFY(image.pixel(99, 99) != qRgb(255, 0, 255));
    }
};

QTEST_MAIN(ViewPaintingTest)
#include "view_painting_test.moc"
