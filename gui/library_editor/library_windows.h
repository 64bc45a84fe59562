#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <vector>

#include "gui/library_editor/shape_editor_state.h"

namespace kestro {

class CEditCursors;
class CLibChildFrame;
class CLibElement;
class CLibraryData;
class CLibraryHistory;
class CMainFrame;
class CShapeDoc;
class CShapeView;
struct CSettings;

// What the library windows use of the rest of the editor.
struct CLibraryWindowServices {
    CLibraryData* library = nullptr;
    CMainFrame* mainFrame = nullptr;
    const CSettings* settings = nullptr;
    const CEditCursors* cursors = nullptr;
    // "Save Library" (the whole library); false when it was not saved.
    std::function<bool()> saveLibrary;
    // "Open...": the menu editor, from which elements are opened.
    std::function<void()> showMenuEditor;
    // "New Element" and "Save Element As..." (which open what they make).
    std::function<void()> newElement;
    std::function<void(CLibElement&)> saveElementAs;
    // The library's undo history; null or empty: Undo and Redo are disabled.
    std::function<CLibraryHistory*()> history;
    // Around an undo or redo: whatever else holds or shows the library hands in its
    // pending changes before, and is brought up to date after.
    std::function<void()> libraryRestoring;
    std::function<void()> libraryRestored;
    // Before an undo or redo that takes elements out of the table or puts some in: the
    // elements from `first` on are about to go or change their identifiers, and whatever
    // refers to them by identifier lets go; false (the user kept it) leaves the history
    // where it is.
    std::function<bool(uint32_t first)> releaseElementsFrom;
};

// The library windows of the main frame: one per element, each a CShapeDoc shown by a
// CShapeView in a CLibChildFrame, and what they share (the tool, the shape clipboard).
class CLibraryWindows : public QObject {
    Q_OBJECT
public:
    explicit CLibraryWindows(CLibraryWindowServices services, QObject* parent = nullptr);
    ~CLibraryWindows() override;

    // Opens element `identifier` (0 to N-1, or a built-in 1004 to 1006) in a library
    // window, or brings its window forward; null when the library has no such element.
    CLibChildFrame* OpenLibraryElement(uint32_t identifier);
    QList<CLibChildFrame*> Frames() const;
    static CShapeView* ViewOf(const CLibChildFrame* frame);

    // Every library window closed (the library is about to be replaced or destroyed).
    void CloseAll();
    // The windows of elements the library no longer has closed (after a deletion).
    void CloseStale();
    // Every library window drawn again (after the library fonts changed).
    void RepaintAll();

    // Undo (or redo) of the library's last change, then every window shows the result;
    // nothing while a drag runs in one of them.
    void MoveInHistory(bool undo);

    CShapeEditorState& State() { return m_state; }
    CShapeViewServices& ViewServices() { return m_viewServices; }

private:
    void RegisterDocumentCommands(CShapeDoc& document);
    bool AnyDragRunning() const;
    CLibChildFrame* FrameOf(const void* element) const;
    bool LibraryHolds(const void* element) const;

    CLibraryWindowServices m_services;
    CShapeEditorState m_state;
    CShapeViewServices m_viewServices;
    std::vector<QPointer<CLibChildFrame>> m_frames;
};

}  // namespace kestro
