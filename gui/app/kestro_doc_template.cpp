#include "gui/app/kestro_doc_template.h"

#include <QApplication>
#include <QMdiArea>
#include <algorithm>

#include "core/document/circuit.h"
#include "core/platform/prompts.h"
#include "gui/commands/command_ids.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/circuit_frame_document.h"
#include "gui/frames/main_frame.h"
#include "gui/print/view_printer.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {

namespace {

constexpr const char* kTrackedProperty = "kestroTracked";

// The wait cursor for as long as a file is read.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace

CKestroDocTemplate::CKestroDocTemplate(const CPartEnvironment& parts, CViewServices& services,
                                       CNetlistFolders folders)
    : m_manager(parts), m_services(services), m_folders(std::move(folders)) {
    m_manager.SetShowDocument([this](CCircuit& document) { ShowDocument(document); });
}

CKestroDocTemplate::~CKestroDocTemplate() {
    // Views must let go of the documents before the manager closes them.
    for (const auto& [document, frames] : m_frames)
        for (CKestroView* view : ViewsOf(*document))
            view->Detach();
}

// --- Documents and windows -----------------------------------------------------------------

std::shared_ptr<CCircuit> CKestroDocTemplate::SharedOf(const CCircuit& document) const {
    for (const auto& open : m_manager.Documents())
        if (open.get() == &document) return open;
    return nullptr;
}

CCircuitFrameDocument& CKestroDocTemplate::Adapter(const std::shared_ptr<CCircuit>& document) {
    auto it = m_adapters.find(document.get());
    if (it == m_adapters.end())
        it = m_adapters
                 .emplace(document.get(), new CCircuitFrameDocument(document, *this, m_folders))
                 .first;
    return *it->second;
}

CCircuitFrameDocument* CKestroDocTemplate::FrameDocument(const CCircuit& document) const {
    const auto it = m_adapters.find(&document);
    return it == m_adapters.end() ? nullptr : it->second;
}

CCircuit* CKestroDocTemplate::NewDocument() {
    auto document = m_manager.NewDocument();
    CreateFrame(*document);
    return document.get();
}

CCircuit* CKestroDocTemplate::OpenDocumentFile(const std::string& path) {
    std::shared_ptr<CCircuit> document;
    {
        CWaitCursor wait;
        document = m_manager.FindOrOpenDocument(path);
    }
    if (!document) return nullptr;
    if (m_pathObserver && !document->GetPathName().empty()) m_pathObserver(document->GetPathName());
    ShowDocument(*document);
    return document.get();
}

void CKestroDocTemplate::ShowDocument(CCircuit& document) {
    const QList<CChildFrame*> frames = FramesOf(document);
    if (frames.isEmpty()) {
        CreateFrame(document);
        return;
    }
    if (m_frame) m_frame->MdiArea()->setActiveSubWindow(frames.first());
}

CChildFrame* CKestroDocTemplate::CreateFrame(CCircuit& document) {
    const auto shared = SharedOf(document);
    if (!shared) return nullptr;
    CCircuitFrameDocument& adapter = Adapter(shared);
    CCircuitFrameDocument* adapterPointer = &adapter;
    auto* frame = new CChildFrame(
        &adapter, [this, adapterPointer](CChildFrame& f) { return MakePane(f, *adapterPointer); });
    m_manager.SetHasWindow(document, true);
    if (m_frame) {
        // A new window takes most of the frame, as the first one the user sees should.
        const QSize area = m_frame->MdiArea()->viewport()->size();
        frame->resize(std::max(320, area.width() * 4 / 5), std::max(240, area.height() * 4 / 5));
        m_frame->AddDocumentFrame(frame);
    }
    return frame;
}

QWidget* CKestroDocTemplate::MakePane(CChildFrame& frame, CCircuitFrameDocument& adapter) {
    TrackFrame(frame, adapter);
    auto* view = new CKestroView(adapter.Shared(), m_services, &adapter);
    if (m_services.printing) new CViewPrinter(*view, *m_services.printing);
    return view;
}

// Every window of a document is known here, also those "New Window" makes.
void CKestroDocTemplate::TrackFrame(CChildFrame& frame, CCircuitFrameDocument& adapter) {
    if (frame.property(kTrackedProperty).toBool()) return;
    frame.setProperty(kTrackedProperty, true);
    const CCircuit* document = &adapter.Circuit();
    const QObject* object = &frame;
    m_frames[document].append({object, &frame});
    CChildFrame* framePointer = &frame;
    frame.Commands().Add(kIdFileClose, [framePointer] { framePointer->close(); });
    connect(&frame, &QObject::destroyed, this,
            [this, document, object] { OnFrameGone(document, object); });
}

void CKestroDocTemplate::OnFrameGone(const CCircuit* document, const QObject* frame) {
    const auto it = m_frames.find(document);
    if (it == m_frames.end()) return;
    it->second.removeIf([frame](const CFrameEntry& entry) { return entry.object == frame; });
    if (!it->second.isEmpty()) return;
    m_frames.erase(it);
    // The last window of a sheet that open sheets still use: the sheet stays loaded
    // without a window, and is closed once nothing uses it.
    const auto adapter = m_adapters.find(document);
    if (adapter == m_adapters.end()) return;
    CCircuitFrameDocument* gone = adapter->second;
    m_adapters.erase(adapter);
    m_manager.Close(gone->Circuit());
    gone->deleteLater();
    Prune();
}

QList<CChildFrame*> CKestroDocTemplate::FramesOf(const CCircuit& document) const {
    QList<CChildFrame*> frames;
    const auto it = m_frames.find(&document);
    if (it == m_frames.end()) return frames;
    for (const CFrameEntry& entry : it->second)
        frames.append(entry.frame);
    return frames;
}

QList<CKestroView*> CKestroDocTemplate::ViewsOf(const CCircuit& document) const {
    QList<CKestroView*> views;
    for (CChildFrame* frame : FramesOf(document))
        for (int i = 0; i < frame->PaneCount(); ++i)
            if (auto* view = qobject_cast<CKestroView*>(frame->Pane(i))) views.append(view);
    return views;
}

QList<CCircuit*> CKestroDocTemplate::WindowDocuments() const {
    QList<CCircuit*> documents;
    for (const auto& document : m_manager.Documents())
        if (m_adapters.count(document.get())) documents.append(document.get());
    return documents;
}

// --- Saving and closing --------------------------------------------------------------------

void CKestroDocTemplate::ApplyPendingEdits() {
    if (m_services.applyPendingEdits) m_services.applyPendingEdits();
}

bool CKestroDocTemplate::AskToSave(CCircuit& document) {
    ApplyPendingEdits();
    if (!document.IsModified()) return true;
    const std::string title =
        document.GetPathName().empty() ? document.GetTitle() : document.GetPathName();
    const std::string question =
        QString::fromLatin1(kSaveChangesQuestion).arg(QString::fromStdString(title)).toStdString();
    CPrompts& prompts = m_manager.GetContext().parts.prompts;
    switch (prompts.Ask(question, MessageButtons::YesNoCancel, MessageIcon::Exclamation)) {
        case Answer::Yes: {
            const bool saved = m_manager.Save(document);
            NotePath(document);
            return saved;
        }
        case Answer::No:
            return true;
        default:
            return false;
    }
}

bool CKestroDocTemplate::SaveAllModified() {
    for (const auto& document : m_manager.Documents())
        if (!AskToSave(*document)) return false;
    return true;
}

bool CKestroDocTemplate::SaveAll() {
    ApplyPendingEdits();
    const bool saved = m_manager.SaveAll();
    for (const auto& document : m_manager.Documents())
        NotePath(*document);
    return saved;
}

void CKestroDocTemplate::CloseDocument(CCircuit& document) {
    const auto adapter = m_adapters.find(&document);
    CCircuitFrameDocument* gone = adapter == m_adapters.end() ? nullptr : adapter->second;
    if (gone) m_adapters.erase(adapter);
    for (CKestroView* view : ViewsOf(document))
        view->Detach();
    const QList<CChildFrame*> frames = FramesOf(document);
    m_frames.erase(&document);
    for (CChildFrame* frame : frames)
        frame->Destroy();
    m_manager.Close(document);
    if (gone) gone->deleteLater();
    Prune();
}

void CKestroDocTemplate::CloseAllDocuments() {
    for (CCircuit* document : WindowDocuments())
        if (SharedOf(*document)) CloseDocument(*document);
    m_manager.CloseAll();
    Prune();
}

// Windows whose documents the manager has closed meanwhile go too.
void CKestroDocTemplate::Prune() {
    std::vector<const CCircuit*> closed;
    for (const auto& [document, adapter] : m_adapters)
        if (!SharedOf(*document)) closed.push_back(document);
    for (const CCircuit* document : closed) {
        CCircuitFrameDocument* gone = m_adapters[document];
        m_adapters.erase(document);
        for (CKestroView* view : ViewsOf(*document))
            view->Detach();
        for (CChildFrame* frame : FramesOf(*document))
            frame->Destroy();
        m_frames.erase(document);
        gone->deleteLater();
    }
}

// --- Titles and repainting -----------------------------------------------------------------

void CKestroDocTemplate::NotePath(const CCircuit& document) {
    if (m_pathObserver && !document.GetPathName().empty() && !document.IsModified())
        m_pathObserver(document.GetPathName());
    if (m_savedObserver && !document.IsModified()) m_savedObserver();
    RefreshTitles();
}

void CKestroDocTemplate::RefreshTitles() {
    for (const auto& [document, adapter] : m_adapters)
        for (CChildFrame* frame : FramesOf(*document))
            frame->setWindowTitle(adapter->Title());
}

void CKestroDocTemplate::RedrawAllViews() {
    for (const auto& [document, adapter] : m_adapters)
        for (CKestroView* view : ViewsOf(*document))
            view->viewport()->update();
}

}  // namespace kestro
