// Pictures of the editor for a person to look at: the windows with their menus, the button
// and cursor images as contact sheets, the view with every kind of object, the help window
// and the print preview. `make pictures` writes them to <build>/pictures/; nothing here
// checks anything (the GUI tests do).
//
//     kestro_pictures [FOLDER]
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QToolBar>
#include <cstdio>

#include "core/library/library_data.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/help_window.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/resources/button_images.h"
#include "gui/resources/edit_cursors.h"
#include "gui/resources/element_button_images.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/gui_test_support.h"
#include "tests/gui/support/sample_sheet.h"

using namespace kestro;

namespace {

QString g_folder;
int g_failures = 0;

void Save(const QImage& picture, const QString& name) {
    const QString path = g_folder + "/" + name + ".png";
    if (picture.isNull() || !picture.save(path)) {
        std::fprintf(stderr, "kestro_pictures: %s could not be written\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

// Lets the event loop lay out and paint what was just shown.
void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// The picture of a window with an open menu drawn where it pops up.
QImage WithMenu(QWidget& frame, QMenu& menu) {
    QImage picture = frame.grab().toImage();
    QPainter p(&picture);
    p.drawPixmap(frame.mapFromGlobal(menu.pos()), menu.grab());
    return picture;
}

// Pops up a menu of the menu bar as a click on its title would.
void PopUp(CMainFrame& frame, QMenu& menu) {
    menu.popup(frame.menuBar()->mapToGlobal(
        frame.menuBar()->actionGeometry(menu.menuAction()).bottomLeft()));
    Settle();
}

void EmptyWindowPictures(CKestroApp& app) {
    CMainFrame& frame = *app.MainFrame();
    frame.resize(1000, 700);
    Settle();
    Save(frame.grab().toImage(), "main_frame_empty");
    frame.CommandTable().UpdateAll();
    QMenu* file = frame.CommandTable().Menus(kMenuMain).at(0);
    PopUp(frame, *file);
    Save(WithMenu(frame, *file), "main_frame_file_menu");
    file->hide();
}

// Every toolbar image at 1x (doubled) above the same at 2x.
void ButtonImageSheet() {
    const QList<int> ids{57600, 57601, 57603, 57607, 57635, 57634, 57637, 35019,
                         32772, 32773, 32774, 33000, 33002, 32776, 32820, 32821,
                         32822, 32823, 34021, 34022, 33001, 34301, 34308, 34302,
                         34303, 34304, 34305, 34306, 34307, 34300, 5000};
    QImage sheet(int(ids.size()) * 36, 36 + 66, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter p(&sheet);
    for (int i = 0; i < ids.size(); ++i) {
        QImage one = ButtonImage(ids[i], 1.0);
        one.setDevicePixelRatio(1.0);
        p.drawImage(QRect(i * 36 + 2, 2, 32, 30), one);
        QImage two = ButtonImage(ids[i], 2.0);
        two.setDevicePixelRatio(1.0);
        p.drawImage(i * 36 + 2, 40, two);
    }
    p.end();
    Save(sheet, "button_images");
}

// Every editing cursor at 2x on grey.
void CursorSheet() {
    const auto& ids = CEditCursors::Ids();
    QImage sheet(int(ids.size()) * 72, 80, QImage::Format_ARGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter p(&sheet);
    int column = 0;
    for (const int id : ids) {
        QImage big = CEditCursors::Image(id, 2.0);
        big.setDevicePixelRatio(1.0);
        p.drawImage(column++ * 72 + 4, 8, big);
    }
    p.end();
    Save(sheet, "cursors");
}

// The element toolbar's images of the bundled library, enlarged four times.
void ElementButtonSheet(CKestroApp& app) {
    const QList<QAction*> buttons = app.MainFrame()->ElementToolBar()->actions();
    QImage sheet(int(buttons.size()) * 68, 64, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter p(&sheet);
    int x = 0;
    for (QAction* button : buttons) {
        const int id = CCommandTable::CommandId(button);
        if (id < 5000) continue;
        QImage one = ElementButtonImage(*app.Library()->GetElement(uint32_t(id - 5000)),
                                        app.Settings(), 1.0);
        one.setDevicePixelRatio(1.0);
        p.fillRect(QRect(x + 2, 2, 64, 60), Qt::white);
        p.drawImage(QRect(x + 2, 2, 64, 60), one);
        x += 68;
    }
    p.end();
    Save(sheet.copy(0, 0, x, 64), "element_buttons");
}

void HelpWindowPicture(CKestroApp& app) {
    CHelpWindow& help = app.HelpWindow();
    help.ShowKeyword("no-such-topic");
    help.show();
    Settle();
    Save(help.grab().toImage(), "help_window");
    help.hide();
}

// The editor with an example open in a split window with the View menu, and the print
// preview of it.
void ExamplePictures(CKestroApp& app) {
    const QString example = QStringLiteral(KESTRO_SOURCE_DIR "/examples/buck_converter.sch");
    if (!app.OpenDocument(example.toStdString())) {
        std::fprintf(stderr, "kestro_pictures: %s could not be opened\n", qPrintable(example));
        ++g_failures;
        return;
    }
    CMainFrame& frame = *app.MainFrame();
    Settle();
    Save(frame.grab().toImage(), "main_frame_buck_converter");

    CCommandTable& table = frame.CommandTable();
    table.UpdateAll();
    if (auto* child = frame.findChild<CChildFrame*>()) {
        child->Split();
        QMenu* view = table.Menus(kMenuSchematic).at(2);
        PopUp(frame, *view);
        Save(WithMenu(frame, *view), "main_frame_schematic");
        view->hide();
    }

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->resize(900, 700);
        Settle();
        Save(dialog->grab().toImage(), "print_preview");
        dialog->reject();
    });
    if (QAction* preview = table.MenuAction(kMenuSchematic, kIdFilePrintPreview))
        preview->trigger();
}

void EveryKindPicture() {
    CSheetWorkshop workshop;
    auto sheet = MakeEveryKindSheet(workshop);
    CKestroView view(sheet, workshop.services);
    view.resize(480, 320);
    view.show();
    view.SetZoom(1.2);
    view.ScrollTo({0, 0});
    Settle();
    Save(view.grab().toImage(), "view_every_kind");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    IsolateUserFolders();
    g_folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KESTRO_BINARY_DIR "/pictures");
    if (!QDir().mkpath(g_folder)) {
        std::fprintf(stderr, "kestro_pictures: %s could not be made\n", qPrintable(g_folder));
        return 3;
    }
    ButtonImageSheet();
    CursorSheet();
    EveryKindPicture();
    CTestApp t = MakeTestApp();
    if (!t.app->Start()) {
        std::fprintf(stderr, "kestro_pictures: the editor did not start\n");
        return 2;
    }
    EmptyWindowPictures(*t.app);
    ElementButtonSheet(*t.app);
    HelpWindowPicture(*t.app);
    ExamplePictures(*t.app);
    return g_failures == 0 ? 0 : 3;
}
