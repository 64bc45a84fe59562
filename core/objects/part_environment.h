#pragma once

namespace kestro {

class CLibraryData;
class CPrompts;
struct CSettings;

// What schematic objects need from the program: the element library (symbols, terminals,
// attribute definitions), the live settings (default text font, showing subcircuit names)
// and the prompts for their few messages. The application owns one; objects keep a
// pointer to it, so it must outlive every object and document.
struct CPartEnvironment {
    CLibraryData& library;
    const CSettings& settings;
    CPrompts& prompts;
};

}  // namespace kestro
