#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>

class QWidget;

namespace kestro {

class CLibElement;
class CLibraryData;
class CPrompts;

// What "New Element" and "Save Element As..." use of the rest of the editor.
struct CLibraryElementServices {
    CLibraryData* library = nullptr;
    CPrompts* prompts = nullptr;
    QPointer<QWidget> parent;
    // Opens an element of the library in a library window (empty: there is none yet).
    std::function<void(uint32_t identifier)> openLibraryElement;
    // An element was added to the library (and to its menus at the end of the top level).
    std::function<void(uint32_t identifier)> elementAdded;
};

// "New Element": the netlist name asked for, the element added at the end of the library
// and of the element menus; with `open` it is then opened. The new identifier, or -1.
int NewElement(const CLibraryElementServices& services, bool open);
// "Save Element As...": a copy of `source` under a new netlist name (asked for after the
// question that a ground element needs), then opened. The new identifier, or -1.
int SaveElementAs(const CLibraryElementServices& services, CLibElement& source);

}  // namespace kestro
