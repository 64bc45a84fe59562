#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <map>
#include <vector>

#include "gui/commands/command_map.h"

class QAction;
class QKeySequence;
class QMenu;
class QWidget;

namespace kestro {

struct CMenuEntry;

// The user-interface side of the commands: the menus of the three menu resources, toolbar
// buttons and accelerator keys, each a QAction named "id<number>" that sends its command
// id through the router, and whose enabled and checked state follows the update rules.
class CCommandTable : public QObject {
    Q_OBJECT
public:
    // Accelerator keys act in `window`.
    CCommandTable(QWidget* window, CCommandRouter& router);
    ~CCommandTable() override;

    // The top-level pop-ups of menu resource 128, 129 or 130.
    const QList<QMenu*>& Menus(int resource) const;
    // The first item or pop-up of that menu resource with this command id.
    QAction* MenuAction(int resource, int id) const;
    // Puts `popup` in place of the pop-up with this id in the menu resource (the element
    // menu takes the place of its placeholder). The table takes ownership.
    void ReplacePopup(int resource, int id, QMenu* popup);

    // A toolbar button (or any other action) for command id, owned by `parent`.
    QAction* CreateButton(int id, QObject* parent);

    // The accelerator tables in force, in lookup order: a key of an earlier table hides
    // the same key of a later one.
    void SetAcceleratorTables(const std::vector<int>& tables);
    const std::vector<int>& AcceleratorTables() const { return m_activeTables; }
    // The accelerator action of a table for a key sequence, or null.
    QAction* AcceleratorAction(int table, int id) const;
    // Runs the command of `key` in the accelerator tables in force, as if it had been
    // pressed in the main window (tool windows pass on the keys they leave); false when
    // no table in force has the key.
    bool ExecuteAccelerator(const QKeySequence& key);

    // Every action bound to a command id: menu items, buttons and accelerators.
    QList<QAction*> Actions(int id) const;

    // Brings enabled and checked states up to date from the update rules.
    void UpdateAll();
    void Update(const QList<QAction*>& actions);
    // Coalesces calls into one update when control returns to the event loop.
    void ScheduleUpdate();

    // Routes a command (as if its menu item were chosen); returns whether it ran.
    bool Execute(int id);

    static int CommandId(const QAction* action);

private:
    QMenu* BuildPopup(const CMenuEntry& entry, QWidget* parent);
    void Bind(QAction* action, int id, bool accelerator);
    void BuildAccelerators(int table);
    void WatchMenu(QMenu* menu);

    QWidget* m_window;
    CCommandRouter& m_router;
    std::map<int, QList<QMenu*>> m_menus;
    std::map<int, QList<QAction*>> m_accelerators;
    std::vector<int> m_activeTables;
    QList<QPointer<QAction>> m_bound;
    bool m_updatePending = false;
};

}  // namespace kestro
