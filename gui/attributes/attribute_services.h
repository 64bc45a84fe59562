#pragma once

#include <QFont>
#include <QKeySequence>
#include <QString>
#include <functional>
#include <optional>

namespace kestro {

class CCircuitDocumentManager;
class CKestroView;
class CLibElement;
class CLibraryData;
class CPrompts;

// What the attribute window and its pages use of the rest of the editor. The application
// fills it; tests give their own.
struct CAttributeServices {
    CLibraryData* library = nullptr;
    CPrompts* prompts = nullptr;
    // Opens subcircuit files and changes their names.
    CCircuitDocumentManager* documents = nullptr;
    // The schematic view of the active window; null when another kind of window is.
    std::function<CKestroView*()> activeView;
    // The element of the active library editor window; null when none is active.
    std::function<CLibElement*()> activeLibraryElement;
    // A key the window does not use goes to the main frame's accelerators; true when it
    // ran a command.
    std::function<bool(const QKeySequence&)> offerKey;
    // The help page part of a keyword.
    std::function<void(const QString& keyword)> showHelp;
    // The editing tool's tracking image is taken off the sheet (the mouse is over the
    // window, or the window appeared or went).
    std::function<void()> hideTrackingImage;
    // The font dialog; nothing when it was cancelled.
    std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)> chooseFont;
};

}  // namespace kestro
