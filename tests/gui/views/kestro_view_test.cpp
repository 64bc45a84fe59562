// The schematic view (zoom, fit, scrolling, hints, selection frame, status text) and the
// file commands of the editor window, driven through the real windows and menus.
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/schematic_file/schematic_file.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/print_page_setup_dialog.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/resources/edit_cursors.h"
#include "gui/resources/element_button_images.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

QAction* MenuItem(CKestroApp& app, int id) {
    CCommandTable& table = app.MainFrame()->CommandTable();
    table.UpdateAll();
    return table.MenuAction(app.MainFrame()->ActiveMenuResource(), id);
}

CChildFrame* ActiveFrame(CKestroApp& app) {
    return qobject_cast<CChildFrame*>(app.MainFrame()->ActiveDocumentFrame());
}

CKestroView* ActiveView(CKestroApp& app) {
    CChildFrame* frame = ActiveFrame(app);
    return frame ? qobject_cast<CKestroView*>(frame->ActiveView()) : nullptr;
}

// Runs `act` on the next modal dialog once it is up.
template <typename Act>
void OnNextDialog(Act act) {
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) act(*dialog);
    });
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// An app started with a schematic file `name` written in `folder` holding one resistor.
std::string WriteSheet(CKestroApp& app, const QString& folder, const QString& name) {
    CCircuitDocumentManager& manager = app.DocTemplate()->Manager();
    auto sheet = manager.CreateUntitled(manager.GetContext());
    const int resistor = app.Library()->FindElementByName("R");
    sheet->PlaceElement(static_cast<uint16_t>(resistor), {100, 100}, 0);
    const std::string path = (folder + "/" + name).toStdString();
    const bool written = WriteSchematicFile(*sheet, path);
    manager.Close(*sheet);
    return written ? path : std::string();
}

}  // namespace

class KestroViewTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void startUpLoadsTheLibraryFromTheProgramFolder() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        QVERIFY(t.prompts->shown.empty());
        QVERIFY(t.app->Library()->GetElementCount() > 100);
        QVERIFY(t.app->DocTemplate());
        // The element toolbar shows the library's elements, described as the library says.
        QAction* resistor = t.app->MainFrame()->ElementToolBar()->findChild<QAction*>("id5007");
        QVERIFY(resistor);
        QCOMPARE(resistor->toolTip(),
                 QString::fromStdString(t.app->Library()->GetElement(7)->GetDescription()));
        // No library there: its loader says why, and the editor runs without elements.
        QTemporaryDir empty;
        CTestApp bare = MakeTestApp("/nonexistent/kestro/");
        QVERIFY(bare.app->Start());
        QCOMPARE(int(bare.prompts->shown.size()), 1);
        QCOMPARE(bare.prompts->shown[0].icon, MessageIcon::Stop);
        QCOMPARE(bare.app->Library()->GetElementCount(), 0u);
        QVERIFY(bare.app->NewDocument());
    }

    void anOlderLibraryIsSavedOrOfferedForSavingAtStartUp() {
        // Minor version 20 or older is saved at once; a later older one is asked about.
        for (const int minor : {20, 25}) {
            QTemporaryDir program;
            const QString library = program.filePath("KESTRO.LIB");
            QVERIFY(QFile::copy(BundledLibraryFile(), library));
            QFile file(library);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(10));  // magic, major, then the minor version
            const char version[2] = {char(minor), 0};
            file.write(version, 2);
            file.close();
            CTestApp t = MakeTestApp((program.path() + "/").toStdString());
            t.prompts->answers.push_back(Answer::No);
            QVERIFY(t.app->Start());
            QCOMPARE(int(t.prompts->shown.size()), 1);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.seek(10));
            const QByteArray stored = file.read(2);
            file.close();
            if (minor == 20) {
                QCOMPARE(t.prompts->shown[0].text, std::string("Kestro Library has been updated."));
                QCOMPARE(t.prompts->shown[0].icon, MessageIcon::Information);
                QCOMPARE(int(stored[0]), 30);
                QVERIFY(!t.app->Library()->IsModified());
            } else {
                QCOMPARE(t.prompts->shown[0].text,
                         std::string("Kestro Library has been updated. Do you want to save "
                                     "changes?"));
                QCOMPARE(t.prompts->shown[0].buttons, MessageButtons::YesNoCancel);
                QCOMPARE(int(stored[0]), 25);  // No: the file stays as it was
                // Exit asks once more, with the library's own question.
                t.prompts->answers.push_back(Answer::No);
                QVERIFY(t.app->MainFrame()->close());
                QCOMPARE(t.prompts->LastMessage(), std::string("Save changes to Kestro Library?"));
            }
        }
    }

    void aFailedSaveOfAnOlderLibraryIsNotReportedAsAnUpdate() {
        QTemporaryDir program;
        const QString library = program.filePath("KESTRO.LIB");
        QVERIFY(QFile::copy(BundledLibraryFile(), library));
        QFile file(library);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(10));
        file.write("\x14\0", 2);  // minor version 20: saved at once
        file.close();
        CTestApp t = MakeTestApp((program.path() + "/").toStdString());
        {
            // Files may not grow past 4 KB while the editor starts (root ignores permission
            // bits, but not this limit), so the save fails half way.
            CFileSizeLimit limit(4096);
            QVERIFY(t.app->Start());
        }
        QCOMPARE(int(t.prompts->shown.size()), 1);
        QCOMPARE(t.prompts->shown[0].icon, MessageIcon::Stop);
        QVERIFY(t.prompts->shown[0].text != "Kestro Library has been updated.");
        QVERIFY(t.app->Library()->IsModified());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.seek(10));
        QCOMPARE(int(file.read(1)[0]), 20);  // the old file is untouched
    }

    void idleTimeDeletesNodesNothingUsesAnyMore() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        const auto resistor = static_cast<uint16_t>(t.app->Library()->FindElementByName("R"));
        CSimPart* part = document->PlaceElement(resistor, {100, 100}, 0);
        QVERIFY(!document->GetNodes().empty());
        document->DeleteObject(*part);
        QVERIFY(document->IsCleanupPending());
        QTRY_VERIFY(!document->IsCleanupPending());
        QVERIFY(document->GetNodes().empty());
    }

    void thePrintPageMeasuresEightHundredUnitsOnItsLongerSide() {
        // Without a printer: 850 by 1100 pixels, the bottom tenth for the title block.
        QSizeF page = PrintPageSize(kNoPrinterWidth, kNoPrinterHeight, true);
        QVERIFY(qFuzzyCompare(page.height(), 800.0));
        QVERIFY(qFuzzyCompare(page.width(), 850.0 / (990.0 * 0.00125)));
        page = PrintPageSize(850, 1100, false);
        QVERIFY(qFuzzyCompare(page.width(), 850.0 / 1.375));
        // Landscape: the width is the longer side.
        page = PrintPageSize(1100, 850, true);
        QVERIFY(qFuzzyCompare(page.width(), 800.0));
        QVERIFY(qFuzzyCompare(page.height(), 765.0 / 1.375));
    }

    void zoomInAndOutAreEnabledUpToTheirLimits() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        CKestroView* view = ActiveView(*t.app);
        QVERIFY(view);
        // The page is 2000 units square: 32000 pixels allow a zoom of 16.
        view->SetZoom(12.0);
        QAction* zoomIn = MenuItem(*t.app, kIdZoomIn);
        QVERIFY(zoomIn->isEnabled());
        zoomIn->trigger();
        QCOMPARE(view->Zoom(), 14.4);
        QVERIFY(!MenuItem(*t.app, kIdZoomIn)->isEnabled());  // 17.28 × 2000 > 32000
        QCOMPARE(double(document->GetZoom()), double(float(14.4)));
        // A zoom beyond the limit is brought down step by step.
        view->SetZoom(100.0);
        QVERIFY(view->Zoom() * 2000 <= CKestroView::kMaxPagePixels);
        QVERIFY(view->Zoom() * 1.2 * 2000 > CKestroView::kMaxPagePixels);

        view->SetZoom(0.13);
        QAction* zoomOut = MenuItem(*t.app, kIdZoomOut);
        QVERIFY(zoomOut->isEnabled());
        zoomOut->trigger();
        QVERIFY(std::abs(view->Zoom() - 0.13 / 1.2) < 1e-9);
        QVERIFY(!MenuItem(*t.app, kIdZoomOut)->isEnabled());

        // The zoom lives in the document: a new window starts with the last one used.
        view->SetZoom(2.0);
        MenuItem(*t.app, kIdWindowNew)->trigger();
        CKestroView* second = ActiveView(*t.app);
        QVERIFY(second && second != view);
        QCOMPARE(second->Zoom(), 2.0);
    }

    void fitToPageOnAnEmptySheetChangesNothing() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        t.app->NewDocument();
        CKestroView* view = ActiveView(*t.app);
        view->SetZoom(2.0);
        view->ScrollTo({300, 200});
        const QPoint scroll = view->ScrollPosition();
        QCOMPARE(scroll, QPoint(300, 200));
        MenuItem(*t.app, kIdFitToPage)->trigger();
        QCOMPARE(view->Zoom(), 2.0);
        QCOMPARE(view->ScrollPosition(), scroll);
        // The extent commands do nothing without a drawing either.
        for (const int id : {kIdScrollToRight, kIdScrollToBottom, kIdScrollToLeft, kIdScrollToTop})
            t.app->MainFrame()->CommandTable().Execute(id);
        QCOMPARE(view->ScrollPosition(), scroll);
    }

    void fitToPageShowsTheWholeDrawingCentred() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        const auto resistor = static_cast<uint16_t>(t.app->Library()->FindElementByName("R"));
        document->PlaceElement(resistor, {200, 300}, 0);
        document->PlaceElement(resistor, {900, 700}, 1);
        CKestroView* view = ActiveView(*t.app);
        MenuItem(*t.app, kIdFitToPage)->trigger();
        const QRect drawing = view->ToWindow(document->GetExtent());
        const QRect client = view->viewport()->rect();
        QVERIFY(client.adjusted(-1, -1, 1, 1).contains(drawing));
        // One side fills the window, and the drawing sits in the middle of it.
        QVERIFY(drawing.width() >= client.width() - 2 || drawing.height() >= client.height() - 2);
        QVERIFY(std::abs(drawing.center().x() - client.center().x()) <= 2);
    }

    void scrollCommandsStepByLinesPagesAndToTheDrawingsEdges() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        CKestroView* view = ActiveView(*t.app);
        view->SetZoom(1.2);
        view->ScrollTo({0, 0});
        const QSize page = view->PageStep(), line = view->LineStep();
        QCOMPARE(page.width(), int(view->viewport()->width() * 9 * 0.1));
        QCOMPARE(line.height(), page.height() / 10);
        CCommandTable& table = t.app->MainFrame()->CommandTable();
        table.Execute(kIdScrollLineDown);
        QCOMPARE(view->ScrollPosition(), QPoint(0, line.height()));
        table.Execute(kIdScrollPageRight);
        QCOMPARE(view->ScrollPosition(), QPoint(page.width(), line.height()));
        table.Execute(kIdScrollLineUp);
        table.Execute(kIdScrollLineUp);  // clamped at the top
        QCOMPARE(view->ScrollPosition().y(), 0);
        // A snapped step becomes whole lines, rounded away from zero.
        QVERIFY(view->ScrollBy(0, 5, true));
        QCOMPARE(view->ScrollPosition().y(), line.height());
        QVERIFY(view->ScrollBy(0, -5000));
        QCOMPARE(view->ScrollPosition().y(), 0);
        QVERIFY(!view->ScrollBy(0, -1));
        // The extent commands go to the drawing's edges.
        const auto resistor = static_cast<uint16_t>(t.app->Library()->FindElementByName("R"));
        document->PlaceElement(resistor, {1200, 1500}, 0);
        const CRectF extent = document->GetExtent();
        table.Execute(kIdScrollToTop);
        QCOMPARE(view->ScrollPosition().y(), int(1.2 * extent.top));
        table.Execute(kIdScrollToRight);
        QCOMPARE(view->ScrollPosition().x(), int(1.2 * extent.right) - page.width());
    }

    void aPageChangeKeepsThePointAtTheTopLeft() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        CKestroView* view = ActiveView(*t.app);
        view->SetZoom(1.5);
        view->ScrollTo({600, 450});
        const CPointF before = view->ToLogical({0, 0});
        document->SetDrawingArea({-500, -300, 2500, 2400});
        document->UpdateAllViews(CCircuit::kHintPage);
        QCOMPARE(view->Origin(), (CPointF{500, 300}));
        const CPointF after = view->ToLogical({0, 0});
        QVERIFY(std::abs(after.x - before.x) < 1.0f && std::abs(after.y - before.y) < 1.0f);
        QCOMPARE(view->TotalSize(), QSize(4500, 4050));
    }

    void selectionFrameStatusTextAndCursorOfTheSelectMode() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        CKestroView* view = ActiveView(*t.app);
        view->SetZoom(2.0);
        view->ScrollTo({0, 0});
        const auto resistor = static_cast<uint16_t>(t.app->Library()->FindElementByName("R"));
        CSimPart* part = document->PlaceElement(resistor, {100, 100}, 0);
        const QPoint over = view->ToWindow(CPointF{100, 100});
        QCOMPARE(view->StatusTextAt(over), QString("Resistor: R1"));
        QCOMPARE(view->CursorIdAt(over), int(kCursorSelect));
        QVERIFY(view->StatusTextAt(view->ToWindow(CPointF{500, 500})).isEmpty());
        view->Selection().Add(*part);
        view->UpdateSelectionBounds();
        QCOMPARE(view->CursorIdAt(over), int(kCursorMove));
        QTest::mouseMove(view->viewport(), over);
        QCOMPARE(t.app->MainFrame()->StatusText(), QString("Resistor: R1"));
    }

    void openingTheSameFileTwiceGivesTheOpenDocument() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        const std::string path = WriteSheet(*t.app, m_folder.path(), "twice.sch");
        QVERIFY(!path.empty());
        CCircuit* first = t.app->OpenDocument(path);
        QVERIFY(first);
        const QString other = m_folder.path() + "/./twice.sch";
        CCircuit* second = t.app->OpenDocument(other.toStdString());
        QCOMPARE(second, first);
        QCOMPARE(t.app->DocTemplate()->FramesOf(*first).size(), 1);
        QCOMPARE(ActiveFrame(*t.app)->windowTitle(), QString::fromStdString(path));
        QVERIFY(t.prompts->shown.empty());
        // The file went to the top of the recent-file list, shown in the File menu.
        QCOMPARE(t.app->RecentFiles().Entries().at(0), path);
        QCOMPARE(MenuItem(*t.app, kIdFileMruFirst)->text(), "&1 " + QString::fromStdString(path));
    }

    void filesOnTheCommandLineAndDroppedOnTheWindowOpen() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        const std::string a = WriteSheet(*t.app, m_folder.path(), "line.sch");
        const std::string b = WriteSheet(*t.app, m_folder.path(), "dropped.sch");
        CTestApp s = MakeTestApp();
        QVERIFY(s.app->Start({QString::fromStdString(a)}));
        QCOMPARE(s.app->DocTemplate()->WindowDocuments().size(), 1);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(b))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(s.app->MainFrame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.app->MainFrame(), &drop);
        QCOMPARE(s.app->DocTemplate()->WindowDocuments().size(), 2);
        QCOMPARE(s.app->DocTemplate()->WindowDocuments().at(1)->GetPathName(), b);
    }

    void aNewerFileOpensWithTheWarning() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        const std::string path = WriteSheet(*t.app, m_folder.path(), "newer.sch");
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(12));  // magic, record length, major, then the minor version
        const char minor31[4] = {31, 0, 0, 0};
        file.write(minor31, 4);
        file.close();
        QVERIFY(t.app->OpenDocument(path));
        QCOMPARE(int(t.prompts->shown.size()), 1);
        QCOMPARE(t.prompts->shown[0].text, FormatFileMessage(kNewerVersionWarning, path));
        QCOMPARE(t.prompts->shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(ActiveView(*t.app));
    }

    void aModifiedSheetAsksToSaveOnClose() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        document->SetModified(true);
        CChildFrame* frame = ActiveFrame(*t.app);
        // Cancel keeps the window.
        MenuItem(*t.app, kIdFileClose)->trigger();
        QCOMPARE(t.prompts->LastMessage(), std::string("Save changes to untitle1?"));
        QCOMPARE(t.prompts->shown.back().buttons, MessageButtons::YesNoCancel);
        QVERIFY(frame->isVisible());
        // Yes asks for a name and saves there; the window then goes.
        const QString path = m_folder.path() + "/closed.sch";
        t.prompts->answers.push_back(Answer::Yes);
        t.prompts->fileNames.push_back(path.toStdString());
        QPointer<CChildFrame> watched = frame;
        MenuItem(*t.app, kIdFileClose)->trigger();
        FlushDeletes();
        QVERIFY(!watched);
        QVERIFY(QFile::exists(path));
        QVERIFY(!t.app->DocTemplate()->HasDocuments());
        QVERIFY(!MenuItem(*t.app, kIdCloseAll)->isEnabled());
    }

    void twoWindowsOnOneSheetCloseOneAtATime() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        document->SetModified(true);
        MenuItem(*t.app, kIdWindowNew)->trigger();
        QCOMPARE(t.app->DocTemplate()->FramesOf(*document).size(), 2);
        MenuItem(*t.app, kIdFileClose)->trigger();
        FlushDeletes();
        QVERIFY(t.prompts->shown.empty());  // the other window still shows it
        QCOMPARE(t.app->DocTemplate()->FramesOf(*document).size(), 1);
        t.prompts->answers.push_back(Answer::No);
        MenuItem(*t.app, kIdFileClose)->trigger();
        FlushDeletes();
        QVERIFY(!t.app->DocTemplate()->HasDocuments());
    }

    void aFailedSaveShowsItsMessageAndKeepsTheDocumentModified() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        document->SetModified(true);
        const QString path = m_folder.path() + "/no such folder/x.sch";
        t.prompts->fileNames.push_back(path.toStdString());
        MenuItem(*t.app, kIdFileSave)->trigger();
        QCOMPARE(t.prompts->Messages(),
                 std::vector<std::string>{path.toStdString() + ": No such file or directory"});
        QCOMPARE(t.prompts->shown.back().icon, MessageIcon::Stop);
        QVERIFY(!QFile::exists(path));
        QVERIFY(document->IsModified());
        QVERIFY(document->GetPathName().empty());
        QVERIFY(t.app->RecentFiles().Entries().empty());
    }

    void saveAsGivesTheWindowTheNewNameAndSaveAllSavesEverySheet() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* first = t.app->NewDocument();
        const QString path = m_folder.path() + "/renamed.sch";
        t.prompts->fileNames.push_back(path.toStdString());
        MenuItem(*t.app, kIdFileSaveAs)->trigger();
        QCOMPARE(QString::fromStdString(first->GetPathName()), path);
        QCOMPARE(ActiveFrame(*t.app)->windowTitle(), path);
        QCOMPARE(t.app->RecentFiles().Entries().at(0), path.toStdString());
        // Save All: the named sheet is written again, the new one asks for its name.
        first->SetModified(true);
        CCircuit* second = t.app->NewDocument();
        second->SetModified(true);
        const QString other = m_folder.path() + "/second.sch";
        t.prompts->fileNames.push_back(other.toStdString());
        MenuItem(*t.app, kIdSaveAll)->trigger();
        QVERIFY(!first->IsModified());
        QVERIFY(!second->IsModified());
        QVERIFY(QFile::exists(other));
    }

    void closeAllAsksForEachModifiedSheet() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        t.app->NewDocument()->SetModified(true);
        t.app->NewDocument();
        QVERIFY(MenuItem(*t.app, kIdCloseAll)->isEnabled());
        MenuItem(*t.app, kIdCloseAll)->trigger();  // Cancel
        QCOMPARE(t.prompts->Messages(), std::vector<std::string>{"Save changes to untitle1?"});
        QCOMPARE(t.app->DocTemplate()->WindowDocuments().size(), 2);
        t.prompts->answers.push_back(Answer::No);
        MenuItem(*t.app, kIdCloseAll)->trigger();
        FlushDeletes();
        QVERIFY(!t.app->DocTemplate()->HasDocuments());
        QVERIFY(t.app->MainFrame()->DocumentFrames().isEmpty());
    }

    void printPageSetupEditsTheTitleTexts() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* document = t.app->NewDocument();
        document->GetTitleInfo()[0] = "Quorvant";
        QString seenCompany;
        OnNextDialog([&seenCompany](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Print Page Setup"));
            seenCompany = dialog.findChild<QLineEdit*>("id1046")->text();
            dialog.findChild<QLineEdit*>("id1048")->setText("Buck stage");
            static_cast<CPrintPageSetupDlg&>(dialog).SetToday(QDate(2026, 3, 7));
            dialog.findChild<QPushButton*>("id1031")->click();
            dialog.accept();
        });
        MenuItem(*t.app, kIdPrintPageSetup)->trigger();
        QCOMPARE(seenCompany, QString("Quorvant"));
        QCOMPARE(document->GetTitleInfo()[1], std::string("Buck stage"));
        QCOMPARE(document->GetTitleInfo()[4], std::string("03/07/2026"));
        QVERIFY(document->IsModified());
        // Cancel changes nothing.
        document->SetModified(false);
        OnNextDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("id1046")->setText("Other");
            dialog.reject();
        });
        MenuItem(*t.app, kIdPrintPageSetup)->trigger();
        QCOMPARE(document->GetTitleInfo()[0], std::string("Quorvant"));
        QVERIFY(!document->IsModified());
    }

    void recentFilesAreKeptFourAndWrittenAtExit() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        std::vector<std::string> paths;
        for (int i = 0; i < 5; ++i) {
            paths.push_back(WriteSheet(*t.app, m_folder.path(), QString("recent%1.sch").arg(i)));
            QVERIFY(t.app->OpenDocument(paths.back()));
        }
        const auto& entries = t.app->RecentFiles().Entries();
        QCOMPARE(int(entries.size()), 4);
        QCOMPARE(entries[0], paths[4]);
        QCOMPARE(entries[3], paths[1]);
        QVERIFY(t.app->MainFrame()->findChild<QAction*>("id57619"));
        QVERIFY(t.app->MainFrame()->close());
        QCOMPARE(t.store->GetString(CRecentFileList::kSection, "File1", ""), paths[4]);
        QCOMPARE(t.store->GetString(CRecentFileList::kSection, "File4", ""), paths[1]);
        // The next start offers them again.
        CTestApp next = MakeTestApp();
        next.store->SetString(CRecentFileList::kSection, "File1", paths[2]);
        QVERIFY(next.app->Start());
        MenuItem(*next.app, kIdFileMruFirst)->trigger();
        QCOMPARE(next.app->DocTemplate()->WindowDocuments().at(0)->GetPathName(), paths[2]);
    }
};

QTEST_MAIN(KestroViewTest)
#include "kestro_view_test.moc"
