#include "gui/commands/command_table.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include "gui/commands/command_ids.h"
#include "gui/commands/menu_tables.h"
#include "gui/resources/string_table.h"

namespace kestro {

namespace {

constexpr const char* kAcceleratorProperty = "kestroAccelerator";
constexpr const char* kPopupProperty = "kestroPopup";

QString IdName(int id) {
    return QStringLiteral("id%1").arg(id);
}

bool IsAccelerator(const QAction* action) {
    return action->property(kAcceleratorProperty).toBool();
}

bool IsPopup(const QAction* action) {
    return action->property(kPopupProperty).toBool();
}

void CollectActions(const QMenu* menu, QList<QAction*>& out) {
    out.append(menu->menuAction());
    for (QAction* a : menu->actions()) {
        if (a->menu())
            CollectActions(a->menu(), out);
        else
            out.append(a);
    }
}

}  // namespace

CCommandTable::CCommandTable(QWidget* window, CCommandRouter& router)
    : QObject(window), m_window(window), m_router(router) {
    for (const int resource : {kMenuMain, kMenuSchematic, kMenuLibrary}) {
        for (const CMenuEntry& popup : MenuResource(resource))
            m_menus[resource].append(BuildPopup(popup, window));
        BuildAccelerators(resource);
    }
}

CCommandTable::~CCommandTable() = default;

int CCommandTable::CommandId(const QAction* action) {
    return action ? action->data().toInt() : 0;
}

const QList<QMenu*>& CCommandTable::Menus(int resource) const {
    static const QList<QMenu*> kNone;
    const auto it = m_menus.find(resource);
    return it == m_menus.end() ? kNone : it->second;
}

QMenu* CCommandTable::BuildPopup(const CMenuEntry& entry, QWidget* parent) {
    auto* menu = new QMenu(entry.label, parent);
    QAction* popupAction = menu->menuAction();
    popupAction->setProperty(kPopupProperty, true);
    if (entry.id != 0) {
        popupAction->setObjectName(IdName(entry.id));
        popupAction->setData(entry.id);
        popupAction->setStatusTip(CommandPrompt(entry.id));
        // A placeholder: nothing to offer until it is replaced.
        if (entry.entries.empty()) popupAction->setEnabled(false);
    }
    for (const CMenuEntry& child : entry.entries) {
        switch (child.kind) {
            case CMenuEntry::Kind::Separator:
                menu->addSeparator();
                break;
            case CMenuEntry::Kind::Popup:
                menu->addMenu(BuildPopup(child, parent));
                break;
            case CMenuEntry::Kind::Item: {
                QAction* action = menu->addAction(child.Text());
                Bind(action, child.id, false);
                break;
            }
        }
    }
    WatchMenu(menu);
    return menu;
}

void CCommandTable::WatchMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        QList<QAction*> actions;
        CollectActions(menu, actions);
        Update(actions);
    });
}

void CCommandTable::Bind(QAction* action, int id, bool accelerator) {
    action->setObjectName(IdName(id));
    action->setData(id);
    action->setProperty(kAcceleratorProperty, accelerator);
    if (!accelerator) action->setStatusTip(CommandPrompt(id));
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_bound.append(action);
}

void CCommandTable::BuildAccelerators(int table) {
    for (const CAccelerator& key : AcceleratorTable(table)) {
        auto* action = new QAction(m_window);
        Bind(action, key.id, true);
        action->setObjectName(QStringLiteral("accel%1_id%2").arg(table).arg(key.id));
        action->setShortcut(QKeySequence(key.key));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        m_window->addAction(action);
        m_accelerators[table].append(action);
    }
}

void CCommandTable::SetAcceleratorTables(const std::vector<int>& tables) {
    m_activeTables = tables;
    for (auto& [table, actions] : m_accelerators)
        for (QAction* a : actions)
            a->setEnabled(false);
    QSet<QKeySequence> taken;
    for (const int table : tables) {
        const auto it = m_accelerators.find(table);
        if (it == m_accelerators.end()) continue;
        QSet<QKeySequence> ownKeys;
        for (QAction* a : it->second) {
            if (taken.contains(a->shortcut())) continue;
            a->setEnabled(true);
            ownKeys.insert(a->shortcut());
        }
        taken.unite(ownKeys);
    }
}

QAction* CCommandTable::AcceleratorAction(int table, int id) const {
    const auto it = m_accelerators.find(table);
    if (it == m_accelerators.end()) return nullptr;
    for (QAction* a : it->second)
        if (CommandId(a) == id) return a;
    return nullptr;
}

bool CCommandTable::ExecuteAccelerator(const QKeySequence& key) {
    if (key.isEmpty()) return false;
    for (const int table : m_activeTables) {
        const auto it = m_accelerators.find(table);
        if (it == m_accelerators.end()) continue;
        for (QAction* a : it->second) {
            if (!a->isEnabled() || a->shortcut() != key) continue;
            Execute(CommandId(a));
            return true;
        }
    }
    return false;
}

QAction* CCommandTable::MenuAction(int resource, int id) const {
    for (const QMenu* menu : Menus(resource)) {
        QList<QAction*> actions;
        CollectActions(menu, actions);
        for (QAction* a : actions)
            if (CommandId(a) == id) return a;
    }
    return nullptr;
}

void CCommandTable::ReplacePopup(int resource, int id, QMenu* popup) {
    auto& menus = m_menus[resource];
    for (qsizetype i = 0; i < menus.size(); ++i) {
        if (CommandId(menus[i]->menuAction()) != id) continue;
        popup->setParent(m_window, popup->windowFlags());
        popup->menuAction()->setObjectName(IdName(id));
        popup->menuAction()->setData(id);
        popup->menuAction()->setProperty(kPopupProperty, true);
        WatchMenu(popup);
        delete menus[i];
        menus[i] = popup;
        return;
    }
    delete popup;
}

QAction* CCommandTable::CreateButton(int id, QObject* parent) {
    auto* action = new QAction(CommandTip(id), parent);
    Bind(action, id, false);
    action->setToolTip(CommandTip(id));
    return action;
}

QList<QAction*> CCommandTable::Actions(int id) const {
    QList<QAction*> found;
    for (const QPointer<QAction>& a : m_bound)
        if (a && CommandId(a) == id) found.append(a);
    return found;
}

void CCommandTable::Update(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        const int id = CommandId(action);
        if (id == 0 || IsAccelerator(action) || IsPopup(action)) continue;
        const CCommandState state = m_router.Query(id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked.has_value());
        action->setChecked(state.checked.value_or(false));
        if (state.text) {
            // The shown accelerator stays after the tab.
            const QString old = action->text();
            const qsizetype tab = old.indexOf('\t');
            action->setText(QString::fromStdString(*state.text) +
                            (tab < 0 ? QString() : old.mid(tab)));
        }
    }
}

void CCommandTable::UpdateAll() {
    m_bound.removeAll(nullptr);
    QList<QAction*> actions;
    for (const QPointer<QAction>& a : m_bound)
        actions.append(a);
    Update(actions);
}

void CCommandTable::ScheduleUpdate() {
    if (m_updatePending) return;
    m_updatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_updatePending = false;
        UpdateAll();
    });
}

bool CCommandTable::Execute(int id) {
    const QPointer<CCommandTable> alive(this);
    const bool ran = m_router.Execute(id);
    if (alive) UpdateAll();
    return ran;
}

}  // namespace kestro
