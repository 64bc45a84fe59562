#pragma once

#include <QString>

namespace kestro {

class CCommandTarget;
class CSimulationSource;

// What a schematic window needs from the document it shows. The circuit document supplies
// it; windows refer to it and never own it.
class CFrameDocument {
public:
    virtual ~CFrameDocument() = default;

    virtual QString Title() const = 0;
    // Asks to save changes; false when the user cancelled.
    virtual bool SaveModified() = 0;
    // True while the document must stay loaded without windows (a subcircuit that still
    // has a parent circuit).
    virtual bool StaysLoadedWithoutWindows() const = 0;
    // Closes the document and destroys its other windows (CChildFrame::Destroy).
    virtual void CloseDocument() = 0;

    // The document's place in command routing, after the view.
    virtual CCommandTarget* CommandTarget() { return nullptr; }
    // What Run TARN needs; null while the document cannot be simulated.
    virtual CSimulationSource* SimulationSource() { return nullptr; }
};

}  // namespace kestro
