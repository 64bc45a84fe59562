#include "gui/frames/main_frame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/commands/menu_tables.h"
#include "gui/frames/document_frame.h"
#include "gui/resources/button_images.h"
#include "gui/resources/string_table.h"

namespace kestro {

namespace {

constexpr const char* kWindowItemProperty = "kestroWindowItem";
const QString kProgramTitle = QStringLiteral("Kestro");

int MenuResourceOf(const CDocumentFrame* frame) {
    if (!frame) return kMenuMain;
    return frame->Kind() == FrameKind::Schematic ? kMenuSchematic : kMenuLibrary;
}

}  // namespace

CMainFrame::CMainFrame(CCommandTarget* application, QWidget* parent)
    : QMainWindow(parent), m_application(application) {
    setWindowTitle(kProgramTitle);
    setWindowIcon(ProgramIcon());
    resize(1024, 720);
    m_router = std::make_unique<CCommandRouter>([this] { return RoutingChain(); });
    m_table = new CCommandTable(this, *m_router);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    CreateToolBars();
    CreateStatusBar();
    RegisterCommands();
    for (const int resource : {kMenuMain, kMenuSchematic, kMenuLibrary})
        for (QMenu* menu : m_table->Menus(resource))
            if (menu->title() == QStringLiteral("&Window"))
                connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateWindowList(menu); });
    OnSubWindowActivated();
}

CMainFrame::~CMainFrame() {
    // The document windows go first, while the frame they report to is still whole.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (CDocumentFrame* frame : DocumentFrames())
        disconnect(frame, nullptr, this, nullptr);
    delete m_mdi;
}

std::vector<CCommandTarget*> CMainFrame::RoutingChain() const {
    CDocumentFrame* frame = ActiveDocumentFrame();
    CCommandTarget* view = frame ? dynamic_cast<CCommandTarget*>(frame->ActiveView()) : nullptr;
    return {view, frame, const_cast<CMainFrame*>(this), m_application};
}

void CMainFrame::CreateToolBars() {
    m_mainBar = CreateToolBar(QStringLiteral("ToolBar"), MainToolbarButtons());
    m_drawingBar = CreateToolBar(QStringLiteral("Drawing Tools"), DrawingToolbarButtons());
    m_elementBar = CreateToolBar(QStringLiteral("Element ToolBar"), ElementToolbarButtons());
    addToolBar(Qt::TopToolBarArea, m_mainBar);
    addToolBar(Qt::LeftToolBarArea, m_drawingBar);
    addToolBar(Qt::BottomToolBarArea, m_elementBar);
    m_drawingBar->hide();
    m_elementBar->hide();
}

QToolBar* CMainFrame::CreateToolBar(const QString& title, const std::vector<int>& buttons) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(title);
    bar->setIconSize(kButtonImageSize);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int id : buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* button = m_table->CreateButton(id, bar);
        const bool element = id >= kIdFirstElement && id <= kIdLastElement;
        button->setIcon(element ? ElementPlaceholderIcon() : ButtonIcon(id));
        if (element) button->setText(QStringLiteral("Element %1").arg(id - kIdFirstElement));
        bar->addAction(button);
    }
    return bar;
}

void CMainFrame::CreateStatusBar() {
    m_statusPane = new QLabel(CommandPrompt(kIdsReady), this);
    m_statusPane->setObjectName(QStringLiteral("statusPane"));
    statusBar()->addWidget(m_statusPane, 1);
}

void CMainFrame::RegisterCommands() {
    Commands().Add(
        kIdViewToolbar, [this] { m_mainBar->setVisible(m_mainBar->isHidden()); },
        [this](CCommandState& s) { s.checked = !m_mainBar->isHidden(); });
    Commands().Add(
        kIdViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](CCommandState& s) { s.checked = !statusBar()->isHidden(); });
    Commands().Add(
        kIdElementToolbar, [this] { ToggleElementToolbar(); },
        [this](CCommandState& s) {
            s.enabled = m_menuResource == kMenuSchematic;
            s.checked = m_elementToolbarWanted;
        });
    Commands().Add(
        kIdDrawingTools, [this] { ToggleDrawingTools(); },
        [this](CCommandState& s) {
            s.enabled = m_menuResource == kMenuLibrary;
            s.checked = !m_drawingBar->isHidden();
        });
    Commands().Add(
        kIdWindowNew,
        [this] {
            if (CDocumentFrame* frame = ActiveDocumentFrame())
                if (CDocumentFrame* another = frame->CreateAnotherWindow())
                    AddDocumentFrame(another);
        },
        [this](CCommandState& s) { s.enabled = m_menuResource == kMenuSchematic; });
    const auto anyWindow = [this](CCommandState& s) {
        s.enabled = !m_mdi->subWindowList().isEmpty();
    };
    Commands().Add(
        kIdWindowCascade, [this] { m_mdi->cascadeSubWindows(); }, anyWindow);
    Commands().Add(
        kIdWindowTile, [this] { m_mdi->tileSubWindows(); }, anyWindow);
    Commands().Add(
        kIdWindowArrange, [this] { ArrangeIcons(); }, anyWindow);
    Commands().Add(kIdAppExit, [this] { close(); });
}

CDocumentFrame* CMainFrame::AddDocumentFrame(CDocumentFrame* frame) {
    m_mdi->addSubWindow(frame);
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateTitle);
    connect(frame, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, &CMainFrame::OnSubWindowActivated); });
    frame->show();
    m_mdi->setActiveSubWindow(frame);
    OnSubWindowActivated();
    return frame;
}

CDocumentFrame* CMainFrame::ActiveDocumentFrame() const {
    // The current window stays current while the application is inactive (a dialog is up).
    return qobject_cast<CDocumentFrame*>(m_mdi->currentSubWindow());
}

QList<CDocumentFrame*> CMainFrame::DocumentFrames() const {
    QList<CDocumentFrame*> frames;
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (auto* frame = qobject_cast<CDocumentFrame*>(w)) frames.append(frame);
    return frames;
}

void CMainFrame::OnSubWindowActivated() {
    CDocumentFrame* frame = ActiveDocumentFrame();
    const int resource = MenuResourceOf(frame);
    if (frame == m_activeFrame && resource == m_menuResource) return;
    m_activeFrame = frame;
    if (resource != m_menuResource) {
        ShowMenus(resource);
        std::vector<int> tables{resource};
        if (resource != kMenuMain) tables.push_back(kMenuMain);
        m_table->SetAcceleratorTables(tables);
    }
    SwitchToolBars(frame);
    // A window that takes the focus starts with an empty status text.
    if (frame) SetStatusText(QString());
    UpdateTitle();
    emit ActiveFrameChanged(frame);
    m_table->UpdateAll();
}

void CMainFrame::ShowMenus(int resource) {
    m_menuResource = resource;
    menuBar()->clear();
    for (QMenu* menu : m_table->Menus(resource))
        menuBar()->addMenu(menu);
}

void CMainFrame::SwitchToolBars(CDocumentFrame* frame) {
    if (!frame) {
        m_drawingBar->hide();  // its tools draw in library windows only
        return;
    }
    if (frame->Kind() == FrameKind::Schematic) {
        m_drawingBar->hide();
        if (m_elementToolbarWanted) m_elementBar->show();
    } else {
        m_drawingBar->show();
        m_elementBar->hide();
    }
}

void CMainFrame::ToggleElementToolbar() {
    m_elementToolbarWanted = !m_elementToolbarWanted;
    m_elementBar->setVisible(m_elementToolbarWanted);
}

void CMainFrame::ToggleDrawingTools() {
    m_drawingBar->setVisible(m_drawingBar->isHidden());
}

void CMainFrame::SetElementButton(int commandId, const QIcon& image, const QString& description) {
    for (QAction* button : m_elementBar->actions()) {
        if (CCommandTable::CommandId(button) != commandId) continue;
        button->setIcon(image);
        button->setText(description);
        button->setToolTip(description);
        button->setStatusTip(description);
    }
}

void CMainFrame::SetStatusText(const QString& text) {
    m_statusPane->setText(text);
}

QString CMainFrame::StatusText() const {
    return m_statusPane->text();
}

void CMainFrame::SetElementMenu(QMenu* menu) {
    m_table->ReplacePopup(kMenuSchematic, kIdElementsMenu, menu);
    if (m_menuResource == kMenuSchematic) ShowMenus(kMenuSchematic);
}

void CMainFrame::UpdateWindowList(QMenu* windowMenu) {
    for (QAction* a : windowMenu->actions())
        if (a->property(kWindowItemProperty).toBool()) delete a;
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.isEmpty()) return;
    windowMenu->addSeparator()->setProperty(kWindowItemProperty, true);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows[i];
        QAction* item =
            windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(w->windowTitle()));
        item->setProperty(kWindowItemProperty, true);
        item->setCheckable(true);
        item->setChecked(w == m_mdi->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, w] { m_mdi->setActiveSubWindow(w); });
    }
}

void CMainFrame::UpdateTitle() {
    CDocumentFrame* frame = ActiveDocumentFrame();
    setWindowTitle(frame ? kProgramTitle + QStringLiteral(" - ") + frame->windowTitle()
                         : kProgramTitle);
}

void CMainFrame::ArrangeIcons() {
    int x = 0;
    const int bottom = m_mdi->viewport()->height();
    for (QMdiSubWindow* w : m_mdi->subWindowList()) {
        if (!w->isMinimized()) continue;
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closeQuery && !m_closeQuery()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

}  // namespace kestro
