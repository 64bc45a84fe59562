// The "Searching for subcircuit" dialog with its worker: a moved subcircuit found by the
// full search and the next one in that folder by the quick search, the folder being
// searched shown while the dialog stays responsive, and Cancel ending the search.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <chrono>
#include <thread>

#include "core/hierarchy/subcircuit_search.h"
#include "gui/platform/qt_prompts.h"

using namespace kestro;

namespace {

// Reports one folder after another until it is cancelled.
class CEndlessSearch : public CCancellableTask {
public:
    void Run(const std::atomic<bool>& cancel,
             const std::function<void(const std::string&)>& progress) override {
        for (int i = 0; !cancel; ++i) {
            progress("/data/folder" + std::to_string(i));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        sawCancel = true;
    }
    std::atomic<bool> sawCancel{false};
};

}  // namespace

class SearchDialogTest : public QObject {
    Q_OBJECT
private slots:
    void movedFolderIsFoundByTheFullSearchThenTheNextByTheQuickSearch() {
        QTemporaryDir root;
        const QString moved = root.filePath("b/deep/moved");
        QVERIFY(QDir().mkpath(moved));
        QVERIFY(QDir().mkpath(root.filePath("a/other")));
        for (const char* name : {"/first.sch", "/second.sch"}) {
            QFile file(moved + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        CSubcircuitSearch search;
        search.SetMountTable({{root.path().toStdString(), "ext4"}});
        search.SetLastOpened(root.filePath("x.sch").toStdString());
        CQtPrompts prompts;
        const std::string found = search.FullSearch("first.sch", prompts);
        QCOMPARE(QString::fromStdString(found), moved + "/first.sch");
        QCOMPARE(QString::fromStdString(search.QuickSearch("second.sch")), moved + "/second.sch");
        QVERIFY(search.QuickSearch("third.sch").empty());
    }

    void dialogShowsTheFolderBeingSearchedAndCancelEndsTheSearch() {
        CQtPrompts prompts;
        CEndlessSearch task;
        QString title, subject;
        bool sawProgress = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            title = dialog->windowTitle();
            auto* progress = dialog->findChild<QLabel*>(QStringLiteral("progress"));
            // Several reports arrive while the dialog keeps handling events.
            sawProgress = QTest::qWaitFor([&] {
                return progress->text().startsWith("/data/folder") &&
                       progress->text() != "/data/folder0";
            });
            for (QLabel* label : dialog->findChildren<QLabel*>())
                if (label != progress) subject = label->text();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("id2")),
                              Qt::LeftButton);
        });
        prompts.RunCancellable(CSubcircuitSearch::kDialogTitle, "buck.sch", task);
        QVERIFY(task.sawCancel);
        QVERIFY(sawProgress);
        QCOMPARE(title, QString("Searching for subcircuit"));
        QCOMPARE(subject, QString("buck.sch"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(SearchDialogTest)
#include "search_dialog_test.moc"
