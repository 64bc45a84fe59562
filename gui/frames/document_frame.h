#pragma once

#include <QMdiSubWindow>

#include "gui/commands/command_map.h"

namespace kestro {

class CMainFrame;

enum class FrameKind { Schematic, Library };

// A child window of the main frame showing one document: a schematic window or a library
// element window. It takes part in command routing after its active view.
class CDocumentFrame : public QMdiSubWindow, public CCommandTarget {
    Q_OBJECT
public:
    explicit CDocumentFrame(QWidget* parent = nullptr);

    virtual FrameKind Kind() const = 0;
    // The view that has, or last had, the focus in this frame.
    virtual QWidget* ActiveView() const = 0;
    // Another window on the same document ("New Window"); null when there can be none.
    virtual CDocumentFrame* CreateAnotherWindow() const = 0;

    // The main frame this window lives in, or null while it lives in none.
    CMainFrame* MainFrame() const;
};

}  // namespace kestro
