#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "gui/commands/command_map.h"

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace kestro {

class CCommandTable;
class CDocumentFrame;

// The editor's main window: menus, three toolbars, a one-pane status bar and the area of
// the document windows. Commands go to the active view first, then its document, its
// window, this frame and the application.
class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    // `application` is the last target of command routing.
    explicit CMainFrame(CCommandTarget* application = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCommandTable& CommandTable() { return *m_table; }
    CCommandRouter& Router() { return *m_router; }
    QMdiArea* MdiArea() const { return m_mdi; }

    // Puts a document window into the frame (the frame owns it) and shows it.
    CDocumentFrame* AddDocumentFrame(CDocumentFrame* frame);
    // The active document window, or the last active one while the frame is inactive.
    CDocumentFrame* ActiveDocumentFrame() const;
    QList<CDocumentFrame*> DocumentFrames() const;

    // 128 without a document window, 129 for a schematic window, 130 for a library window.
    int ActiveMenuResource() const { return m_menuResource; }

    QToolBar* MainToolBar() const { return m_mainBar; }
    QToolBar* DrawingToolBar() const { return m_drawingBar; }
    QToolBar* ElementToolBar() const { return m_elementBar; }
    // Gives element button 5000 + i its image and its description (tooltip and prompt).
    void SetElementButton(int commandId, const QIcon& image, const QString& description);

    // Whether the element toolbar is shown while a schematic window is active.
    bool ElementToolbarWanted() const { return m_elementToolbarWanted; }
    void ToggleElementToolbar();
    void ToggleDrawingTools();

    // The text of the one status pane (menu prompts pass over it while a menu is open).
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // The schematic menu's element pop-up, in place of the placeholder (the frame owns it).
    void SetElementMenu(QMenu* menu);

    // Asked before the window closes; false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }

signals:
    // A different document window became active (null: none is left).
    void ActiveFrameChanged(CDocumentFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateToolBars();
    QToolBar* CreateToolBar(const QString& title, const std::vector<int>& buttons);
    void CreateStatusBar();
    void RegisterCommands();
    void ShowMenus(int resource);
    void OnSubWindowActivated();
    void SwitchToolBars(CDocumentFrame* frame);
    void UpdateWindowList(QMenu* windowMenu);
    void UpdateTitle();
    void ArrangeIcons();
    std::vector<CCommandTarget*> RoutingChain() const;

    CCommandTarget* m_application;
    std::unique_ptr<CCommandRouter> m_router;
    CCommandTable* m_table = nullptr;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_drawingBar = nullptr;
    QToolBar* m_elementBar = nullptr;
    QLabel* m_statusPane = nullptr;
    QPointer<CDocumentFrame> m_activeFrame;
    int m_menuResource = 0;
    bool m_elementToolbarWanted = true;
    std::function<bool()> m_closeQuery;
};

}  // namespace kestro
