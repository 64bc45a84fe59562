#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "core/app/netlist_source.h"
#include "core/document/undo_history.h"
#include "gui/commands/command_map.h"
#include "gui/frames/frame_document.h"

namespace kestro {

class CCircuit;
class CKestroDocTemplate;

inline constexpr const char* kSaveChangesQuestion = "Save changes to %1?";

// A circuit document as its windows see it: its title, the save question, the closing
// rules, the document's own commands (Save, Save As, Print Page Setup) and what Run TARN
// needs. The document type keeps one per open document that has windows.
class CCircuitFrameDocument : public QObject, public CFrameDocument, public CCommandTarget {
    Q_OBJECT
public:
    CCircuitFrameDocument(std::shared_ptr<CCircuit> document, CKestroDocTemplate& type,
                          CNetlistFolders folders);
    ~CCircuitFrameDocument() override;

    CCircuit& Circuit() const { return *m_document; }
    const std::shared_ptr<CCircuit>& Shared() const { return m_document; }

    // CFrameDocument
    QString Title() const override;
    // "Save changes to %1?" (Yes, No, Cancel) while modified; Yes saves.
    bool SaveModified() override;
    bool StaysLoadedWithoutWindows() const override;
    void CloseDocument() override;
    CCommandTarget* CommandTarget() override { return this; }
    CSimulationSource* SimulationSource() override { return &m_source; }

    bool Save();
    bool SaveAs();
    CUndoHistory& History() { return m_history; }
    // "Undo <step>" and "Redo <step>": the changes of the document, one at a time.
    void Undo();
    void Redo();
    // "Print Page Setup": the title texts of the printed page; OK marks the document
    // modified.
    void EditPageSetup();

private:
    void RegisterCommands();

    std::shared_ptr<CCircuit> m_document;
    CKestroDocTemplate& m_type;
    CNetlistSource m_source;
    CUndoHistory m_history;
};

}  // namespace kestro
