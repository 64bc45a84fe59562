#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/netlist/netlist_file_name.h"

namespace kestro {

class CCircuit;
class CNetPropagator;
class CPrompts;
class CSubCirPart;

inline constexpr const char* kNetlistWriteFailed = "Failed to Write NetList file %s";

// The flat netlist of a top-level sheet and every sheet below it. Building it numbers
// the nodes (wire clean-up, local numbering of each sheet, then global net numbers),
// and records the netlist line counts in the sheets and instances.
//
// Text: the simulation line, then in each sheet the element lines in objects-list
// order, followed by the sheets of its subcircuit instances (prefixes S1, S1.2, ...),
// each instance with fresh net numbers except where its ports meet the outside. Every
// line ends in CR LF; there is no end line.
class CNetlistWriter {
public:
    explicit CNetlistWriter(bool autoExit) : m_autoExit(autoExit) {}

    std::string Build(CCircuit& top);

private:
    void WriteSheet(CCircuit& sheet, CSubCirPart* instance, const std::string& prefix);
    void JoinPortNets(CCircuit& sheet, const CSubCirPart& instance, CNetPropagator& nets);
    void AppendLines(const std::string& lines);

    bool m_autoExit;
    std::string m_text;
    int32_t m_nextNet = 1;
    int32_t m_lineCount = 0;
};

// "'name' Tstep Ttotal Tprint Iprint Iload Isave auto-exit" of the sheet's simulation
// parameters ("%G" for the times, "%i" for the counts), without the line end.
std::string SimulationLine(CCircuit& sheet, bool autoExit);

// Writes the netlist of `top` where NetlistFileName puts it, through a temporary file
// that replaces the target only when complete. Returns the netlist path, or nothing
// after showing the system's file error (cannot be created or written) or
// "Failed to Write NetList file %s".
std::optional<std::string> WriteNetlistFile(CCircuit& top, const CNetlistFolders& folders,
                                            bool autoExit, CPrompts& prompts);

}  // namespace kestro
