#pragma once

#include <functional>

#include "gui/frames/document_frame.h"

class QSplitter;

namespace kestro {

class CFrameDocument;
class CChildFrame;

// Makes the view of one pane of a schematic window.
using CPaneFactory = std::function<QWidget*(CChildFrame& frame)>;

// A schematic window: a splitter of at most one row and two columns, each pane a view of
// the same document. The user splits it by dragging the handle at the right edge.
class CChildFrame : public CDocumentFrame {
    Q_OBJECT
public:
    // Without a factory the panes are placeholders; without a document the window closes
    // without asking.
    explicit CChildFrame(CFrameDocument* document = nullptr, CPaneFactory factory = {},
                         QWidget* parent = nullptr);

    FrameKind Kind() const override { return FrameKind::Schematic; }
    QWidget* ActiveView() const override;
    CDocumentFrame* CreateAnotherWindow() const override;

    CFrameDocument* Document() const { return m_document; }
    QSplitter* Splitter() const { return m_splitter; }

    int PaneCount() const;
    QWidget* Pane(int index) const;
    // Adds the second column; false when there is one already.
    bool Split();
    // Removes the pane that is not active; false when there is only one.
    bool Unsplit();
    // F6 and Shift+F6: the focus moves to the other pane.
    void ActivateNextPane();
    void ActivatePreviousPane();

    // Closes this window without the closing rules (the document is closing).
    void Destroy();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakePane();
    void AddPane(QWidget* pane, int index);
    void OnSplitterMoved();
    bool OtherWindowShowsDocument() const;
    void RegisterCommands();

    CFrameDocument* m_document;
    CPaneFactory m_factory;
    QSplitter* m_splitter;
    QWidget* m_splitBox;  // the collapsed second column while the window is not split
    QWidget* m_activePane = nullptr;
    bool m_destroying = false;
};

}  // namespace kestro
