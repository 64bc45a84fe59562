#pragma once

#include <string>

namespace kestro {

class CCircuit;

namespace tool {

// What `kestro-sch export` was asked for.
struct CExportArguments {
    std::string output;  // .pdf or .svg
    double zoom = 0.0;   // 0: the sheet's own
    bool fit = false;    // the whole drawing on one page
    bool legend = true;
    bool blackAndWhite = false;
    std::string paper = "a4";
    bool verbose = false;
};

// True when the output names a format export writes (.pdf or .svg, in any case).
bool IsExportFormat(const std::string& output);
// True for the paper names export knows.
bool IsPaperName(const std::string& paper);

// Writes the sheet as the editor prints or exports it, whole or not at all; the exit
// status.
int ExportSchematic(const CCircuit& sheet, const CExportArguments& args);

}  // namespace tool
}  // namespace kestro
