#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/hierarchy/circuit_document_manager.h"
#include "core/netlist/netlist_file_name.h"

namespace kestro {

class CChildFrame;
class CCircuit;
class CCircuitFrameDocument;
class CKestroView;
class CMainFrame;
struct CViewServices;

// The circuit document type: schematic documents (CCircuit) shown in CChildFrame windows
// with CKestroView panes. It wraps the document manager, which keeps the open documents
// and the hierarchy between them (subcircuit sheets may be open without a window), and
// gives documents their windows.
class CKestroDocTemplate : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFileFilter = "KESTRO Files (*.sch) |*.sch||";
    static constexpr const char* kWindowTitle = "untitle";

    CKestroDocTemplate(const CPartEnvironment& parts, CViewServices& services,
                       CNetlistFolders folders);
    ~CKestroDocTemplate() override;

    CCircuitDocumentManager& Manager() { return m_manager; }
    // Windows go into this frame (set once it exists).
    void SetMainFrame(CMainFrame* frame) { m_frame = frame; }
    // Told of every path a document took by opening or saving (the recent-file list).
    // Told after a save of any sheet.
    void SetSavedObserver(std::function<void()> observer) { m_savedObserver = std::move(observer); }
    void SetPathObserver(std::function<void(const std::string&)> observer) {
        m_pathObserver = std::move(observer);
    }

    // A new untitled document with its window.
    CCircuit* NewDocument();
    // The open document of that path (its window brought forward, or given one), or the
    // file opened with a window. Null when it could not be read (the reason was shown).
    CCircuit* OpenDocumentFile(const std::string& path);
    // Another window on the document.
    CChildFrame* CreateFrame(CCircuit& document);
    // Brings the document's first window forward, or gives it one.
    void ShowDocument(CCircuit& document);

    // "Save changes to %1?" (Yes, No, Cancel) for a modified document; Yes saves it.
    // False when the user cancelled or the save failed.
    bool AskToSave(CCircuit& document);
    // Each modified document asks "Save changes to %1?", also a subcircuit sheet open
    // without a window (its changes would be lost otherwise); false on Cancel.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();
    // Closes the document: its windows go, then the manager decides whether it stays
    // loaded as a subcircuit of an open sheet.
    void CloseDocument(CCircuit& document);
    // "Save All": every open document in turn, asking for names where needed; stops at
    // the first that fails or is cancelled.
    bool SaveAll();

    bool HasDocuments() const { return !m_manager.Documents().empty(); }
    // The documents that have windows, in the order they were opened.
    QList<CCircuit*> WindowDocuments() const;
    QList<CChildFrame*> FramesOf(const CCircuit& document) const;
    QList<CKestroView*> ViewsOf(const CCircuit& document) const;
    CCircuitFrameDocument* FrameDocument(const CCircuit& document) const;

    void RedrawAllViews();
    // Writes what the attribute window holds back into its object, so that a save or a
    // save question sees it.
    void ApplyPendingEdits();
    // Window titles follow the documents' paths.
    void RefreshTitles();
    // Called by the frame documents after a save.
    void NotePath(const CCircuit& document);

private:
    CCircuitFrameDocument& Adapter(const std::shared_ptr<CCircuit>& document);
    QWidget* MakePane(CChildFrame& frame, CCircuitFrameDocument& adapter);
    void TrackFrame(CChildFrame& frame, CCircuitFrameDocument& adapter);
    void OnFrameGone(const CCircuit* document, const QObject* frame);
    std::shared_ptr<CCircuit> SharedOf(const CCircuit& document) const;
    void Prune();

    CCircuitDocumentManager m_manager;
    CViewServices& m_services;
    CNetlistFolders m_folders;
    CMainFrame* m_frame = nullptr;
    std::map<const CCircuit*, CCircuitFrameDocument*> m_adapters;  // QObject children
    // The windows of each document. An entry leaves when its window is destroyed; the
    // window is also kept as a QObject, compared while it is being destroyed and is no
    // longer a CChildFrame.
    struct CFrameEntry {
        const QObject* object;
        CChildFrame* frame;
    };
    std::map<const CCircuit*, QList<CFrameEntry>> m_frames;
    std::function<void(const std::string&)> m_pathObserver;
    std::function<void()> m_savedObserver;
};

}  // namespace kestro
