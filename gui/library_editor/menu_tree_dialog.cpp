#include "gui/library_editor/menu_tree_dialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <functional>
#include <optional>

#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/library/library_history.h"
#include "core/platform/prompts.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/attributes/tool_window_keys.h"
#include "gui/commands/command_ids.h"
#include "gui/library_editor/menu_tree.h"
#include "gui/resources/button_images.h"

namespace kestro {

namespace {

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

std::string WithName(const char* text, const std::string& name) {
    std::string question = text;
    for (size_t at = question.find("%s"); at != std::string::npos; at = question.find("%s"))
        question.replace(at, 2, name);
    return question;
}

void AddLevel(QTreeWidgetItem* parent, QTreeWidget& tree, const std::vector<CMenuItem>& items) {
    for (const CMenuItem& item : items) {
        QTreeWidgetItem* node = nullptr;
        switch (item.kind) {
            case CMenuItem::Kind::Popup:
                node = CMenuTree::NewPopup(Utf8(item.label));
                break;
            case CMenuItem::Kind::Separator:
                node = CMenuTree::NewSeparator();
                break;
            case CMenuItem::Kind::Element:
                node = CMenuTree::NewElement(item.code, Utf8(item.label));
                break;
        }
        node->setData(0, CMenuTree::kStoredLabelRole, QByteArray::fromStdString(item.label));
        if (parent)
            parent->addChild(node);
        else
            tree.addTopLevelItem(node);
        if (item.kind == CMenuItem::Kind::Popup) AddLevel(node, tree, item.children);
    }
}

// The label as the library should hold it: the stored bytes while the text shows them.
std::string LabelOf(const QTreeWidgetItem* node) {
    const std::string stored =
        node->data(0, CMenuTree::kStoredLabelRole).toByteArray().toStdString();
    const QString text = node->text(0);
    return Utf8(stored) == text ? stored : text.toStdString();
}

// Element entries take their elements' names; pop-ups stay, even empty ones.
void NameEntries(std::vector<CMenuItem>& items, const CMenuNameLookup& nameOf) {
    for (CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::Popup) NameEntries(item.children, nameOf);
        if (item.kind != CMenuItem::Kind::Element) continue;
        if (std::optional<std::string> name = nameOf(item.code)) item.label = *name;
    }
}

// "Undo Move Entry", "Redo Rename Popup"; just "Undo" when there is nothing to take back.
QString UndoText(const char* verb, const std::string& step) {
    return step.empty() ? QString::fromLatin1(verb)
                        : QString::fromLatin1(verb) + ' ' + QString::fromStdString(step);
}

bool IsUndoKey(const QKeyEvent& key) {
    const QKeyCombination combination = key.keyCombination();
    return key.matches(QKeySequence::Undo) || combination == (Qt::CTRL | Qt::Key_Z) ||
           combination == (Qt::ALT | Qt::Key_Backspace);
}

bool IsRedoKey(const QKeyEvent& key) {
    const QKeyCombination combination = key.keyCombination();
    return key.matches(QKeySequence::Redo) || combination == (Qt::CTRL | Qt::Key_Y) ||
           combination == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

std::vector<CMenuItem> ItemsOf(const std::function<QTreeWidgetItem*(int)>& child, int count) {
    std::vector<CMenuItem> items;
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* node = child(i);
        const std::string label = LabelOf(node);
        switch (CMenuTree::KindOf(node)) {
            case CMenuTree::Kind::Popup:
                items.push_back(CMenuItem::Popup(
                    label, ItemsOf([node](int k) { return node->child(k); }, node->childCount())));
                break;
            case CMenuTree::Kind::Separator:
                items.push_back(CMenuItem::Separator());
                break;
            case CMenuTree::Kind::Element:
                items.push_back(
                    CMenuItem::Element(static_cast<int16_t>(CMenuTree::ElementOf(node)), label));
                break;
        }
    }
    return items;
}

// Every item of the tree, parents before their entries.
void ForEachItem(QTreeWidget& tree, const std::function<void(QTreeWidgetItem*)>& visit) {
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        visit(item);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i));
}

}  // namespace

CMenuTreeDialog::CMenuTreeDialog(CMenuEditorServices services, QWidget* parent)
    : QDialog(parent, Qt::Window), m_services(std::move(services)), m_tree(new CMenuTree(this)) {
    setObjectName(QStringLiteral("id161"));
    setWindowTitle(QStringLiteral("Menu Editor"));
    setWindowIcon(ProgramIcon());
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    CreateMenu();
    BuildTree();
    UpdateUndoCommands();
    resize(320, 480);
    connect(m_tree, &CMenuTree::Changed, this, &CMenuTreeDialog::RecordTreeChange);
    connect(m_tree, &CMenuTree::ItemChosen, this, &CMenuTreeDialog::OnItemChosen);
    connect(m_tree, &CMenuTree::DeleteRequested, this, &CMenuTreeDialog::DeleteItem);
    connect(m_tree, &CMenuTree::AttributesRequested, this, &CMenuTreeDialog::OnAttributesRequested);
    connect(m_tree, &CMenuTree::ContextMenuRequested, this, &CMenuTreeDialog::ShowContextMenu);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnCurrentChanged(item); });
}

// --- Menu ------------------------------------------------------------------------------------

void CMenuTreeDialog::CreateMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* library = bar->addMenu(QStringLiteral("&Library"));
    AddCommand(library, kIdSaveLibrary, QStringLiteral("Save Library"), true);
    library->addSeparator();
    // The commands of later work stay visible but cannot be chosen yet.
    AddCommand(library, kIdNewLibraryElement, QStringLiteral("New Element"),
               bool(m_services.newElement));
    AddCommand(library, kIdLibraryTransfer, QStringLiteral("Transfer old version Library "),
               bool(m_services.transferLibrary));
    AddCommand(library, kIdChangeLibraryFonts, QStringLiteral("Change Library Fonts"),
               bool(m_services.changeLibraryFonts));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    // The keys are the editor's own (see keyPressEvent); the menu shows them.
    AddCommand(edit, kIdEditUndo, QStringLiteral("Undo"), false)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    AddCommand(edit, kIdEditRedo, QStringLiteral("Redo"), false)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(CommandAction(kIdEditUndo), &QAction::triggered, this, [this] { MoveInHistory(true); });
    connect(CommandAction(kIdEditRedo), &QAction::triggered, this,
            [this] { MoveInHistory(false); });
    connect(edit, &QMenu::aboutToShow, this, &CMenuTreeDialog::UpdateUndoCommands);
    edit->addSeparator();
    AddCommand(edit, kIdAddSeparator, QStringLiteral("Add Separator"), true);
    AddCommand(edit, kIdAddPopupMenu, QStringLiteral("Add Popup Menu"), true);
    edit->addSeparator();
    AddCommand(edit, kIdEditLabel, QStringLiteral("Edit Label"), bool(m_services.openElement));
    AddCommand(edit, kIdEditPort, QStringLiteral("Edit Port"), bool(m_services.openElement));
    // The built-in label and port are edited like any element.
    connect(CommandAction(kIdEditLabel), &QAction::triggered, this, [this] {
        if (m_services.openElement && m_services.library)
            m_services.openElement(m_services.library->GetLabelElement());
    });
    connect(CommandAction(kIdEditPort), &QAction::triggered, this, [this] {
        if (m_services.openElement && m_services.library)
            m_services.openElement(m_services.library->GetPortElement());
    });
    connect(CommandAction(kIdSaveLibrary), &QAction::triggered, this, [this] {
        if (m_services.saveLibrary) m_services.saveLibrary();
    });
    connect(CommandAction(kIdNewLibraryElement), &QAction::triggered, this, [this] {
        if (m_services.newElement) m_services.newElement();
    });
    connect(CommandAction(kIdLibraryTransfer), &QAction::triggered, this, [this] {
        if (m_services.transferLibrary) m_services.transferLibrary();
    });
    connect(CommandAction(kIdChangeLibraryFonts), &QAction::triggered, this, [this] {
        if (m_services.changeLibraryFonts) m_services.changeLibraryFonts();
    });
    connect(CommandAction(kIdAddSeparator), &QAction::triggered, this,
            &CMenuTreeDialog::AddSeparator);
    connect(CommandAction(kIdAddPopupMenu), &QAction::triggered, this,
            &CMenuTreeDialog::AddPopupMenu);
}

QAction* CMenuTreeDialog::AddCommand(QMenu* menu, int id, const QString& label, bool enabled) {
    QAction* action = menu->addAction(label);
    action->setObjectName(QStringLiteral("id%1").arg(id));
    action->setData(id);
    action->setEnabled(enabled);
    m_commands.push_back(action);
    return action;
}

QAction* CMenuTreeDialog::CommandAction(int id) const {
    for (QAction* action : m_commands)
        if (action->data().toInt() == id) return action;
    return nullptr;
}

// --- Tree and stream -------------------------------------------------------------------------

void CMenuTreeDialog::BuildTree() {
    m_tree->clear();
    if (!m_services.library) return;
    // Every element is read now: a deletion later renumbers the elements.
    m_services.library->LoadAllElements();
    AddLevel(nullptr, *m_tree, m_services.library->GetMenus().GetItems());
    RefreshElementLabels();
    m_treeMenus = WorkingMenus();
}

void CMenuTreeDialog::ReloadTree() {
    m_tree->EndDrag();
    const CMenuTree::CViewState view = m_tree->ViewState();
    BuildTree();
    m_tree->RestoreViewState(view);
    UpdateUndoCommands();
}

std::vector<CMenuItem> CMenuTreeDialog::TreeItems() const {
    return ItemsOf([this](int i) { return m_tree->topLevelItem(i); }, m_tree->topLevelItemCount());
}

void CMenuTreeDialog::WriteTreeToStream() {
    if (!m_services.library) return;
    CLibraryData& library = *m_services.library;
    std::vector<CMenuItem> items = TreeItems();
    PrepareMenuForSaving(items, [&library](int16_t code) { return library.MenuEntryName(code); });
    library.GetMenus().SetItems(items);
    RefreshElementLabels();
}

std::vector<uint8_t> CMenuTreeDialog::WorkingMenus() const {
    CLibraryData* library = m_services.library;
    std::vector<CMenuItem> items = TreeItems();
    if (library)
        NameEntries(items, [library](int16_t code) { return library->MenuEntryName(code); });
    return WriteMenuStream(items);
}

void CMenuTreeDialog::HandInTree() {
    m_tree->EndDrag();
    CLibraryData* library = m_services.library;
    if (library && library->GetMenus().GetBytes() != m_treeMenus)
        library->GetMenus().SetBytes(m_treeMenus);
}

// --- Undo history ----------------------------------------------------------------------------

void CMenuTreeDialog::BeginTreeStep(CLibraryEditStep& step) {
    HandInTree();
    step.TouchMenus();
}

void CMenuTreeDialog::CommitTreeStep(CLibraryEditStep& step) {
    m_treeMenus = WorkingMenus();
    m_services.library->GetMenus().SetBytes(m_treeMenus);
    RefreshElementLabels();
    if (step.Commit() && m_services.stepRecorded) m_services.stepRecorded();
    UpdateUndoCommands();
}

// The tree has already changed: the step starts from the menus of the tree before.
void CMenuTreeDialog::RecordTreeChange(const QString& name) {
    if (!m_services.library) return;
    CLibraryEditStep step(*m_services.library, name.toStdString());
    BeginTreeStep(step);
    CommitTreeStep(step);
}

CLibraryHistory* CMenuTreeDialog::History() const {
    return m_services.history ? m_services.history() : nullptr;
}

void CMenuTreeDialog::MoveInHistory(bool undo) {
    CLibraryHistory* history = History();
    // A drag or a label edit ends before anything is put back.
    if (!history || m_tree->IsDragging() || m_tree->IsEditing() || !m_services.moveInHistory)
        return;
    if (undo ? history->CanUndo() : history->CanRedo()) m_services.moveInHistory(undo);
    UpdateUndoCommands();
}

void CMenuTreeDialog::UpdateUndoCommands() {
    const CLibraryHistory* history = History();
    QAction* undo = CommandAction(kIdEditUndo);
    QAction* redo = CommandAction(kIdEditRedo);
    undo->setEnabled(history && history->CanUndo());
    undo->setText(UndoText("Undo", history ? history->UndoName() : std::string()));
    redo->setEnabled(history && history->CanRedo());
    redo->setText(UndoText("Redo", history ? history->RedoName() : std::string()));
}

// Entries show the names their elements have now.
void CMenuTreeDialog::RefreshElementLabels() {
    ForEachItem(*m_tree, [this](QTreeWidgetItem* item) {
        if (const CLibElement* element = ElementOf(item))
            item->setText(0, Utf8(element->GetName()));
    });
}

void CMenuTreeDialog::AppendElementEntry(int identifier) {
    CLibraryData* library = m_services.library;
    if (!library || identifier < 0 || uint32_t(identifier) >= library->GetElementCount()) return;
    const CLibElement* element = library->GetElement(uint32_t(identifier));
    if (!element) return;
    QTreeWidgetItem* entry = CMenuTree::NewElement(identifier, Utf8(element->GetName()));
    m_tree->addTopLevelItem(entry);
    m_tree->setCurrentItem(entry);
    // The library's step appended the same entry to its menus.
    m_treeMenus = WorkingMenus();
    UpdateUndoCommands();
}

CLibElement* CMenuTreeDialog::ElementOf(const QTreeWidgetItem* item) const {
    const int index = CMenuTree::ElementOf(item);
    if (index < 0 || !m_services.library) return nullptr;
    const bool builtIn = index >= CLibraryData::kControlId && index <= CLibraryData::kLabelId;
    if (!builtIn && uint32_t(index) >= m_services.library->GetElementCount()) return nullptr;
    return m_services.library->GetElement(uint32_t(index));
}

// --- Commands --------------------------------------------------------------------------------

void CMenuTreeDialog::Insert(QTreeWidgetItem* item, const char* step) {
    QTreeWidgetItem* after = m_fromContextMenu ? m_insertAfter : m_tree->currentItem();
    m_tree->InsertAfter(item, after);
    m_tree->setCurrentItem(item);
    RecordTreeChange(QString::fromLatin1(step));
}

void CMenuTreeDialog::AddSeparator() {
    Insert(CMenuTree::NewSeparator(), "New Separator");
}

void CMenuTreeDialog::AddPopupMenu() {
    QTreeWidgetItem* popup = CMenuTree::NewPopup(QString::fromLatin1(CMenuTree::kNewPopupText));
    Insert(popup, "New Popup");
    // A new pop-up is there to be named.
    if (isVisible()) m_tree->editItem(popup);
}

void CMenuTreeDialog::ShowContextMenu(QTreeWidgetItem* item, const QPoint& at) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("menuEditorContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto insertAfterItem = [this, item](void (CMenuTreeDialog::*command)()) {
        m_insertAfter = item;
        m_fromContextMenu = true;
        (this->*command)();
        m_fromContextMenu = false;
    };
    QAction* popup = menu->addAction(QStringLiteral("Add New Popup Menu"));
    popup->setObjectName(QStringLiteral("id%1").arg(kIdAddPopupMenu));
    connect(popup, &QAction::triggered, this,
            [insertAfterItem] { insertAfterItem(&CMenuTreeDialog::AddPopupMenu); });
    QAction* separator = menu->addAction(QStringLiteral("Add New Separator"));
    separator->setObjectName(QStringLiteral("id%1").arg(kIdAddSeparator));
    connect(separator, &QAction::triggered, this,
            [insertAfterItem] { insertAfterItem(&CMenuTreeDialog::AddSeparator); });
    menu->popup(at);
}

void CMenuTreeDialog::OnItemChosen(QTreeWidgetItem* item) {
    if (CMenuTree::KindOf(item) == CMenuTree::Kind::Popup) {
        item->setExpanded(!item->isExpanded());
        return;
    }
    if (CLibElement* element = ElementOf(item); element && m_services.openElement)
        m_services.openElement(*element);
}

void CMenuTreeDialog::OnAttributesRequested(QTreeWidgetItem* item) {
    CLibElement* element = ElementOf(item);
    if (!element || !m_services.attributes) return;
    m_services.attributes->ShowLibraryElement(element, nullptr, nullptr, true);
    m_services.attributes->show();
}

void CMenuTreeDialog::OnCurrentChanged(QTreeWidgetItem* item) {
    CLibElement* element = ElementOf(item);
    if (element && m_services.attributes && m_tree->hasFocus())
        m_services.attributes->ShowLibraryElement(element, nullptr, nullptr, false);
}

// --- Deleting --------------------------------------------------------------------------------

void CMenuTreeDialog::DeleteItem(QTreeWidgetItem* item) {
    if (!item) return;
    switch (CMenuTree::KindOf(item)) {
        case CMenuTree::Kind::Popup:
            DeletePopup(item);
            break;
        case CMenuTree::Kind::Separator:
            delete item;
            RecordTreeChange(QStringLiteral("Delete Separator"));
            break;
        case CMenuTree::Kind::Element:
            DeleteElement(item);
            break;
    }
}

// The pop-up goes; its entries stay, at the end of the level it was on.
void CMenuTreeDialog::DeletePopup(QTreeWidgetItem* popup) {
    QTreeWidgetItem* parent = popup->parent();
    while (popup->childCount() > 0)
        m_tree->MoveToEnd(popup->child(0), parent);
    delete popup;
    RecordTreeChange(QStringLiteral("Delete Popup"));
}

void CMenuTreeDialog::DeleteElement(QTreeWidgetItem* item) {
    const int index = CMenuTree::ElementOf(item);
    CLibElement* element = ElementOf(item);
    CLibraryData* library = m_services.library;
    // Element 0 (the ground) is never deleted; built-in elements are not in the table.
    if (index == 0 || !element || !library || !m_services.prompts) return;
    if (uint32_t(index) >= library->GetElementCount()) return;
    CPrompts& prompts = *m_services.prompts;
    const std::string& name = element->GetName();
    if (prompts.Ask(WithName(kDeleteQuestion, name), MessageButtons::YesNoCancel,
                    MessageIcon::Question) != Answer::Yes)
        return;
    if (size_t(index) < library->GetOldNumbers().size() &&
        prompts.Ask(WithName(kDeleteOldQuestion, name), MessageButtons::YesNoCancel,
                    MessageIcon::Question) != Answer::Yes)
        return;
    // Placed elements refer to the library by index: no sheet may stay open.
    if (m_services.closeAllDocuments && !m_services.closeAllDocuments()) return;
    if (m_services.attributes) m_services.attributes->ClearSelection(false);
    // The element, its entries and the renumbered entries go back together.
    CLibraryEditStep step(*library, "Delete Element");
    BeginTreeStep(step);
    step.TouchElement(uint32_t(index));
    library->DeleteElement(*element);
    RenumberAfterDeletion(index);
    CommitTreeStep(step);
    if (m_services.elementsRenumbered) m_services.elementsRenumbered();
}

// Entries of the deleted element go; those of the elements after it follow their new
// indices.
void CMenuTreeDialog::RenumberAfterDeletion(int index) {
    std::vector<QTreeWidgetItem*> gone;
    ForEachItem(*m_tree, [&](QTreeWidgetItem* item) {
        const int element = CMenuTree::ElementOf(item);
        if (element == index)
            gone.push_back(item);
        else if (element > index && element < CLibraryData::kControlId)
            item->setData(0, CMenuTree::kElementRole, element - 1);
    });
    for (QTreeWidgetItem* item : gone)
        delete item;
}

bool CMenuTreeDialog::event(QEvent* event) {
    // The history may have moved on in another window.
    if (event->type() == QEvent::WindowActivate) UpdateUndoCommands();
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // F2 edits a label and F4 shows an element's attributes, here.
        const bool treeKey = (key.key() == Qt::Key_F2 || key.key() == Qt::Key_F4) &&
                             key.modifiers() == Qt::NoModifier;
        if (IsToolWindowKey(key) || treeKey || IsUndoKey(key) || IsRedoKey(key)) {
            event->accept();
            return true;
        }
    }
    return QDialog::event(event);
}

void CMenuTreeDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    // The library's undo, not the active sheet's.
    if (IsUndoKey(*event) || IsRedoKey(*event)) {
        MoveInHistory(IsUndoKey(*event));
        return;
    }
    const QKeySequence key(event->keyCombination());
    if (m_services.offerKey && m_services.offerKey(key)) return;
    QDialog::keyPressEvent(event);
}

}  // namespace kestro
