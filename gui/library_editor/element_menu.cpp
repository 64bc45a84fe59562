#include "gui/library_editor/element_menu.h"

#include <QAction>
#include <QMenu>

#include "core/library/library_data.h"
#include "core/platform/text_encoding.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/main_frame.h"

namespace kestro {

namespace {

const QString kDefaultTitle = QStringLiteral("Elements");

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

// Descriptions are read when a pop-up first opens: reading every element of the library
// at start-up only for its prompt would cost more than the whole menu.
void FillPromptsWhenShown(QMenu* menu, CLibraryData& library) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &library] {
        for (QAction* item : menu->actions()) {
            const int index = CCommandTable::CommandId(item) - kIdFirstElement;
            if (item->menu() || index < 0 || !item->statusTip().isEmpty()) continue;
            if (uint32_t(index) >= library.GetElementCount()) continue;
            if (const CLibElement* element = library.GetElement(uint32_t(index)))
                item->setStatusTip(Utf8(element->GetDescription()));
        }
    });
}

void FillLevel(QMenu* menu, const std::vector<CMenuItem>& items, CLibraryData& library,
               CCommandTable& commands) {
    for (const CMenuItem& item : items) {
        switch (item.kind) {
            case CMenuItem::Kind::Separator:
                menu->addSeparator();
                break;
            case CMenuItem::Kind::Popup: {
                QMenu* popup = menu->addMenu(Utf8(item.label));
                FillLevel(popup, item.children, library, commands);
                break;
            }
            case CMenuItem::Kind::Element: {
                QAction* entry = commands.CreateButton(kIdFirstElement + item.code, menu);
                entry->setText(Utf8(item.label));
                entry->setToolTip(QString());
                entry->setStatusTip(QString());
                menu->addAction(entry);
                break;
            }
        }
    }
    // No pop-up is left empty.
    if (menu->actions().isEmpty()) menu->addSeparator();
    FillPromptsWhenShown(menu, library);
}

}  // namespace

QMenu* BuildElementsMenu(const std::vector<CMenuItem>& items, const QString& title,
                         CLibraryData& library, CCommandTable& commands, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    FillLevel(menu, items, library, commands);
    return menu;
}

void RebuildElementsMenu(CMainFrame& frame, CLibraryData& library) {
    CCommandTable& commands = frame.CommandTable();
    const QAction* old = commands.MenuAction(kMenuSchematic, kIdElementsMenu);
    const QString title = old ? old->text() : kDefaultTitle;
    frame.SetElementMenu(
        BuildElementsMenu(library.GetMenus().GetItems(), title, library, commands, &frame));
}

}  // namespace kestro
