// Printing the example sheets through the real print dialog, preview window and file
// dialogs onto PDF files (a machine without a printer), and the commands' enable rules.
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/objects/wire.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/main_frame.h"
#include "gui/print/print_service.h"
#include "gui/print/view_printer.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

const QString kExamples = QStringLiteral(KESTRO_SOURCE_DIR "/examples/");

int PdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(ReadFile(path)).count(page));
}

QAction* MenuItem(CKestroApp& app, int id) {
    CCommandTable& table = app.MainFrame()->CommandTable();
    table.UpdateAll();
    return table.MenuAction(kMenuSchematic, id);
}

// Presses Return in the next print dialog, once it is showing.
void AcceptNextPrintDialog(bool& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        QTest::keyClick(dialog, Qt::Key_Return);
    });
}

}  // namespace

class ViewPrinterTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    struct CSheet {
        CTestApp t;
        CCircuit* document = nullptr;
        CKestroView* view = nullptr;
        CViewPrinter* printer = nullptr;
    };

    // The application with one example open in its window, printing to `pdf`.
    std::unique_ptr<CSheet> Open(const QString& example, const QString& pdf = QString()) {
        auto s = std::make_unique<CSheet>();
        s->t = MakeTestApp();
        if (!s->t.app->Start()) return nullptr;
        s->document = s->t.app->OpenDocument((kExamples + example).toStdString());
        if (!s->document) return nullptr;
        s->view = s->t.app->DocTemplate()->ViewsOf(*s->document).value(0);
        if (!s->view) return nullptr;
        s->printer = s->view->findChild<CViewPrinter*>();
        QPrinter& printer = s->t.app->PrintService()->Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        s->t.app->MainFrame()->activateWindow();
        if (!QTest::qWaitForWindowActive(s->t.app->MainFrame())) return nullptr;
        s->view->setFocus();
        return s;
    }

    int ExpectedPages(CSheet& s, PrintMode mode) {
        return s.printer->MakeJob(mode, s.t.app->PrintService()->Printer()).GetPageCount();
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void printingTheInverterFromThePrintDialogWritesItsPages() {
        const QString pdf = m_folder.filePath("inverter.pdf");
        auto s = Open("three_phase_inverter.sch", pdf);
        QVERIFY(s && s->printer);
        const int pages = ExpectedPages(*s, PrintMode::WholeDrawing);
        QVERIFY(pages >= 1);
        bool seen = false;
        AcceptNextPrintDialog(seen);
        QTest::keyClick(s->view, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(seen);
        QTRY_VERIFY(QFile::exists(pdf));
        QCOMPARE(PdfPageCount(pdf), pages);

        // Zooming in spreads the drawing over more pages.
        s->view->SetZoom(s->view->Zoom() * 3);
        const int zoomed = ExpectedPages(*s, PrintMode::WholeDrawing);
        QVERIFY2(zoomed > pages, qPrintable(QString("%1 then %2").arg(pages).arg(zoomed)));
        QVERIFY(QFile::remove(pdf));
        AcceptNextPrintDialog(seen);
        MenuItem(*s->t.app, kIdFilePrint)->trigger();
        QCOMPARE(PdfPageCount(pdf), zoomed);
    }

    void cancellingThePrintDialogPrintsNothing() {
        const QString pdf = m_folder.filePath("cancelled.pdf");
        auto s = Open("buck_converter.sch", pdf);
        QVERIFY(s);
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!s->printer->Print(PrintMode::WholeDrawing));
        QVERIFY(!QFile::exists(pdf));
    }

    void printSelectedWithNothingSelectedFitsTheWholeDrawingOnOnePage() {
        const QString pdf = m_folder.filePath("selected.pdf");
        auto s = Open("closed_loop_buck.sch", pdf);
        QVERIFY(s);
        QVERIFY(s->view->Selection().IsEmpty());
        bool seen = false;
        AcceptNextPrintDialog(seen);
        MenuItem(*s->t.app, kIdPrintSelected)->trigger();
        QVERIFY(seen);
        QCOMPARE(PdfPageCount(pdf), 1);
        // Everything was selected first, as "Select All" does.
        QCOMPARE(s->view->Selection().Count(), s->document->GetObjectCount());
    }

    void thePreviewShowsThePrintedPages() {
        auto s = Open("three_phase_inverter.sch");
        QVERIFY(s);
        s->view->SetZoom(s->view->Zoom() * 2);
        const int pages = ExpectedPages(*s, PrintMode::WholeDrawing);
        int shown = -1;
        QTimer::singleShot(0, [&shown] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            dialog->resize(900, 700);
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            if (preview) shown = preview->pageCount();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        MenuItem(*s->t.app, kIdFilePrintPreview)->trigger();
        QCOMPARE(shown, pages);
    }

    void blackAndWhiteCopiesOneBitPicturesOntoThePages() {
        const QString pdf = m_folder.filePath("mono.pdf");
        auto s = Open("diode_rectifier.sch", pdf);
        QVERIFY(s);
        bool seen = false;
        AcceptNextPrintDialog(seen);
        MenuItem(*s->t.app, kIdPrintBlackWhite)->trigger();
        QVERIFY(seen);
        QCOMPARE(PdfPageCount(pdf), ExpectedPages(*s, PrintMode::WholeDrawing));
        const QByteArray bytes = ReadFile(pdf);
        const qsizetype image = bytes.indexOf("/Subtype /Image");
        QVERIFY(image >= 0);
        const QByteArray dictionary = bytes.mid(image, 200);
        QVERIFY2(dictionary.contains("/BitsPerComponent 1"), dictionary.constData());
    }

    void aPagePictureThatCannotBeMadeStopsWithLowMemory() {
        const QString pdf = m_folder.filePath("huge.pdf");
        auto s = Open("diode_rectifier.sch", pdf);
        QVERIFY(s);
        QPrinter& printer = s->t.app->PrintService()->Printer();
        printer.setResolution(200000);  // a page of gigapixels
        QVERIFY(!s->printer->PrintBlackAndWhiteOn(printer));
        QCOMPARE(s->t.prompts->LastMessage(), std::string(CViewPrinter::kLowMemory));
        QVERIFY(!QFile::exists(pdf));
    }

    void printingNeedsObjectsButBlackAndWhiteIsAlwaysOffered() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        for (const int id : {kIdFilePrint, kIdFilePrintPreview, kIdPrintSelected,
                             kIdPrintSelectedPreview, kIdFileExport})
            QVERIFY2(!MenuItem(*t.app, id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(MenuItem(*t.app, kIdPrintBlackWhite)->isEnabled());
        QVERIFY(MenuItem(*t.app, kIdPrintPageSetup)->isEnabled());
        document->AddObject(CWire::Create(document->GetEnvironment(), {100, 100}, {200, 100}));
        for (const int id : {kIdFilePrint, kIdFilePrintPreview, kIdPrintSelected,
                             kIdPrintSelectedPreview, kIdFileExport})
            QVERIFY2(MenuItem(*t.app, id)->isEnabled(), qPrintable(QString::number(id)));
    }

    void exportWritesAPdfOfThePrintedPagesOrAnSvgOfTheDrawing() {
        auto s = Open("three_phase_inverter.sch");
        QVERIFY(s);
        const QString pdf = m_folder.filePath("export.pdf");
        const QString svg = m_folder.filePath("export.svg");
        s->t.prompts->fileNames = {pdf.toStdString(), svg.toStdString(), std::nullopt};
        MenuItem(*s->t.app, kIdFileExport)->trigger();
        QCOMPARE(QString::fromStdString(s->t.prompts->fileRequests.back().fileName),
                 kExamples + "three_phase_inverter.pdf");
        QCOMPARE(PdfPageCount(pdf), ExpectedPages(*s, PrintMode::WholeDrawing));
        MenuItem(*s->t.app, kIdFileExport)->trigger();
        QVERIFY(ReadFile(svg).startsWith("<?xml"));
        MenuItem(*s->t.app, kIdFileExport)->trigger();  // cancelled: nothing more
        QCOMPARE(s->t.prompts->fileRequests.size(), size_t(3));

        // A file that cannot be written is reported and nothing is left behind.
        const QString missing = m_folder.filePath("no folder/export.pdf");
        QVERIFY(!s->printer->ExportTo(missing));
        QVERIFY(s->t.prompts->LastMessage().starts_with("Unable to write"));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!s->printer->ExportTo(m_folder.filePath("no folder/export.svg")));
    }
};

QTEST_MAIN(ViewPrinterTest)
#include "view_printer_test.moc"
