#include "gui/library_editor/library_windows.h"

#include <QMdiArea>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
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

}  // namespace

CLibraryWindows::CLibraryWindows(CLibraryWindowServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)) {
    m_viewServices.state = &m_state;
    m_viewServices.settings = m_services.settings;
    m_viewServices.cursors = m_services.cursors;
    CLibraryData* library = m_services.library;
    m_viewServices.askText = [library](QWidget* parent) -> std::optional<CSymbolTextChoice> {
        return CSymbolTextDlg::Ask(library ? library->GetFonts() : StartupLibraryFonts(), parent);
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
    document->Commands().Add(kIdFileSave, [this] {
        if (m_services.saveLibrary) m_services.saveLibrary();
    });
    document->Commands().Add(kIdFileOpen, [this] {
        if (m_services.showMenuEditor) m_services.showMenuEditor();
    });
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
