#include "gui/library_editor/library_windows.h"

#include <QMdiArea>
#include <optional>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/library_history.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_view.h"
#include "gui/library_editor/symbol_dialogs.h"

namespace kestro {

namespace {

const QSize kInitialWindowSize(560, 520);

// "Undo Add Line", "Redo Set Size"; just "Undo" when there is nothing to take back.
QString UndoText(const char* verb, const std::string& step) {
    return step.empty() ? QString::fromLatin1(verb)
                        : QString::fromLatin1(verb) + ' ' + QString::fromStdString(step);
}

}  // namespace

CLibraryWindows::CLibraryWindows(CLibraryWindowServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)) {
    m_viewServices.state = &m_state;
    m_viewServices.settings = m_services.settings;
    m_viewServices.cursors = m_services.cursors;
    CLibraryData* library = m_services.library;
    m_viewServices.askText = [library](QWidget* parent) -> std::optional<CSymbolTextChoice> {
        return AskSymbolText(library ? library->GetFonts() : StartupLibraryFonts(), parent);
    };
    m_viewServices.askSize = [](QWidget* parent, int width, int height) {
        return CSetSizeDlg::Ask(width, height, parent);
    };
    CMainFrame* frame = m_services.mainFrame;
    m_viewServices.commandsChanged = [frame] {
        if (frame) frame->CommandTable().ScheduleUpdate();
    };
}

CLibraryWindows::~CLibraryWindows() = default;

QList<CLibChildFrame*> CLibraryWindows::Frames() const {
    QList<CLibChildFrame*> frames;
    for (const auto& frame : m_frames)
        if (frame) frames << frame.data();
    return frames;
}

CShapeView* CLibraryWindows::ViewOf(const CLibChildFrame* frame) {
    return frame ? qobject_cast<CShapeView*>(frame->widget()) : nullptr;
}

CLibChildFrame* CLibraryWindows::FrameOf(const void* element) const {
    for (CLibChildFrame* frame : Frames())
        if (CShapeView* view = ViewOf(frame); view && &view->Document().Element() == element)
            return frame;
    return nullptr;
}

CLibChildFrame* CLibraryWindows::OpenLibraryElement(uint32_t identifier) {
    CLibraryData* library = m_services.library;
    if (!library) return nullptr;
    const bool builtIn =
        identifier >= CLibraryData::kControlId && identifier <= CLibraryData::kLabelId;
    if (!builtIn && identifier >= library->GetElementCount()) return nullptr;
    CLibElement* element = library->GetElement(identifier);
    if (!element) return nullptr;
    if (CLibChildFrame* open = FrameOf(element)) {
        if (open->mdiArea()) open->mdiArea()->setActiveSubWindow(open);
        return open;
    }
    auto* document = new CShapeDoc(*library, *element);
    RegisterDocumentCommands(*document);
    auto* view = new CShapeView(*document, m_viewServices);
    auto* frame = new CLibChildFrame(view);
    document->setParent(frame);
    frame->setWindowTitle(document->Title());
    connect(document, &CShapeDoc::Changed, frame,
            [frame, document] { frame->setWindowTitle(document->Title()); });
    m_frames.emplace_back(frame);
    if (m_services.mainFrame) m_services.mainFrame->AddDocumentFrame(frame);
    // A new window is big enough to draw in, and shows the whole symbol.
    frame->resize(kInitialWindowSize);
    view->ZoomToFit();
    view->setFocus(Qt::OtherFocusReason);
    return frame;
}

void CLibraryWindows::RegisterDocumentCommands(CShapeDoc& document) {
    auto& commands = document.Commands();
    commands.Add(kIdFileSave, [this] {
        if (m_services.saveLibrary) m_services.saveLibrary();
    });
    commands.Add(kIdFileOpen, [this] {
        if (m_services.showMenuEditor) m_services.showMenuEditor();
    });
    commands.Add(kIdFileNew, [this] {
        if (m_services.newElement) m_services.newElement();
    });
    commands.Add(kIdFileSaveAs, [this, &document] {
        if (m_services.saveElementAs) m_services.saveElementAs(document.Element());
    });
    const auto history = [this]() -> CLibraryHistory* {
        return m_services.history ? m_services.history() : nullptr;
    };
    commands.Add(
        kIdEditUndo, [this] { MoveInHistory(true); },
        [history](CCommandState& state) {
            CLibraryHistory* h = history();
            state.enabled = h && h->CanUndo();
            state.text = UndoText("Undo", h ? h->UndoName() : std::string()).toStdString();
        });
    commands.Add(
        kIdEditRedo, [this] { MoveInHistory(false); },
        [history](CCommandState& state) {
            CLibraryHistory* h = history();
            state.enabled = h && h->CanRedo();
            state.text = UndoText("Redo", h ? h->RedoName() : std::string()).toStdString();
        });
}

bool CLibraryWindows::AnyDragRunning() const {
    for (CLibChildFrame* frame : Frames())
        if (CShapeView* view = ViewOf(frame); view && view->Tracker()) return true;
    return false;
}

void CLibraryWindows::MoveInHistory(bool undo) {
    CLibraryHistory* history = m_services.history ? m_services.history() : nullptr;
    // A drag works on the shapes as they are; it ends before anything is put back.
    if (!history || AnyDragRunning() || !(undo ? history->CanUndo() : history->CanRedo())) return;
    const std::optional<uint32_t> first =
        undo ? history->FirstRenumberedByUndo() : history->FirstRenumberedByRedo();
    if (first && m_services.releaseElementsFrom && !m_services.releaseElementsFrom(*first)) return;
    if (m_services.libraryRestoring) m_services.libraryRestoring();
    undo ? history->Undo() : history->Redo();
    CloseStale();  // an element made by the step taken back is gone
    for (CLibChildFrame* frame : Frames())
        if (CShapeView* view = ViewOf(frame)) view->Document().Reload();
    if (m_services.libraryRestored) m_services.libraryRestored();
    if (m_services.mainFrame) m_services.mainFrame->CommandTable().ScheduleUpdate();
}

void CLibraryWindows::CloseAll() {
    for (CLibChildFrame* frame : Frames())
        delete frame;
    m_frames.clear();
}

bool CLibraryWindows::LibraryHolds(const void* element) const {
    CLibraryData* library = m_services.library;
    if (!library) return false;
    for (uint32_t id = CLibraryData::kControlId; id <= CLibraryData::kLabelId; ++id)
        if (library->GetElement(id) == element) return true;
    for (uint32_t id = 0; id < library->GetElementCount(); ++id)
        if (library->IsElementLoaded(id) && library->GetElement(id) == element) return true;
    return false;
}

void CLibraryWindows::CloseStale() {
    for (CLibChildFrame* frame : Frames()) {
        CShapeView* view = ViewOf(frame);
        if (!view || !LibraryHolds(&view->Document().Element())) delete frame;
    }
}

}  // namespace kestro

namespace kestro {

void CLibraryWindows::RepaintAll() {
    for (CLibChildFrame* frame : Frames())
        if (CShapeView* view = ViewOf(frame)) view->viewport()->update();
}

}  // namespace kestro
