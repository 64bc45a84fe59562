#include "gui/dialogs/element_list_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/platform/prompts.h"
#include "gui/resources/button_images.h"

namespace kestro {

namespace {

constexpr int kColumnWidth = 100;

QAction* MakeAction(const QString& text, int id, QWidget* owner) {
    auto* action = new QAction(text, owner);
    action->setObjectName(QStringLiteral("id%1").arg(id));
    owner->addAction(action);
    return action;
}

}  // namespace

CElementListDlg::CElementListDlg(const CCircuit& sheet, CPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_rows(ElementListRows(sheet)) {
    setWindowTitle(QStringLiteral("Element List"));
    setWindowIcon(ProgramIcon());
    setSizeGripEnabled(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("id1047"));
    m_list->setAccessibleName(QStringLiteral("Elements"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels(
        {QStringLiteral("Netlist Name"), QStringLiteral("Name"), QStringLiteral("Value")});
    // The values take what room the dialog gives beyond their 100 pixels.
    m_list->header()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column)
        m_list->header()->resizeSection(column, kColumnWidth);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_rows.size()));
    for (const CElementListRow& row : m_rows)
        items.append(new QTreeWidgetItem(QStringList{QString::fromStdString(row.netlistName),
                                                     QString::fromStdString(row.name),
                                                     QString::fromStdString(row.value)}));
    m_list->addTopLevelItems(items);
    if (!items.isEmpty()) m_list->setCurrentItem(items.front());

    // The menu also comes up with the menu key, and both commands have keys of their own.
    QAction* copy = MakeAction(QStringLiteral("&Copy to Clipboard"), kCopyId, m_list);
    copy->setShortcut(QKeySequence::Copy);
    m_list->installEventFilter(this);
    connect(copy, &QAction::triggered, this, &CElementListDlg::CopyToClipboard);
    QAction* save = MakeAction(QStringLiteral("&Save in File"), kSaveId, m_list);
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &CElementListDlg::SaveInFile);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CElementListDlg::ShowMenu);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    resize(3 * kColumnWidth + 60, 300);
}

bool CElementListDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CElementListDlg::ShowMenu(const QPoint& position) {
    QMenu menu(this);
    menu.addActions(m_list->actions());
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void CElementListDlg::CopyToClipboard() {
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        m_prompts.ShowMessage(kCannotOpenClipboard, MessageIcon::Stop);
        return;
    }
    const QString text = QString::fromStdString(ElementListText(m_rows));
    clipboard->setText(text);
    if (clipboard->text() != text) m_prompts.ShowMessage(kCannotSetClipboard, MessageIcon::Stop);
}

void CElementListDlg::SaveInFile() {
    CFileDialogRequest request;
    request.title = kSaveTitle;
    request.filter = kSaveFilter;
    request.fileName = "*.lst";
    request.defaultExtension = ".lst";
    request.overwritePrompt = true;
    const std::optional<std::string> path = m_prompts.SaveFileName(request);
    if (!path) return;
    const std::string failure = SaveElementList(*path, ElementListText(m_rows));
    if (!failure.empty()) m_prompts.ShowMessage(failure, MessageIcon::Stop);
}

}  // namespace kestro
