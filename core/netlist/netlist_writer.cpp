#include "core/netlist/netlist_writer.h"

#include <cmath>
#include <exception>

#include "core/document/circuit.h"
#include "core/document/wire_cleanup.h"
#include "core/netlist/netlist_numbering.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/file_stream.h"
#include "core/platform/number_text.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

// Parameters edited into another type still print as the line's numbers do.
double AsDouble(const CGenType& value) {
    switch (value.GetType()) {
        case CGenType::Float:
            return value.GetFloat();
        case CGenType::Integer:
        case CGenType::Boolean:
            return value.GetInteger();
        case CGenType::String:
            return ParseLeadingDouble(value.GetString());
        default:
            return 0.0;
    }
}

int64_t AsInteger(const CGenType& value) {
    switch (value.GetType()) {
        case CGenType::Integer:
        case CGenType::Boolean:
            return value.GetInteger();
        case CGenType::Float:
            return std::isfinite(value.GetFloat()) ? int64_t(std::trunc(value.GetFloat())) : 0;
        case CGenType::String:
            return ParseLeadingInt(value.GetString());
        default:
            return 0;
    }
}

std::string ChildPrefix(const std::string& prefix, size_t index) {
    const std::string number = FormatInt(int64_t(index));
    return prefix.empty() ? "S" + number : prefix + "." + number;
}

}  // namespace

std::string SimulationLine(CCircuit& sheet, bool autoExit) {
    const std::array<CGenType, 7>& p = sheet.GetSimulationParameters();
    std::string line = "'" + p[0].GetText() + "'";
    for (size_t i = 1; i <= 3; ++i)
        line += " " + FormatG(AsDouble(p[i]), 6);
    for (size_t i = 4; i <= 6; ++i)
        line += " " + FormatInt(AsInteger(p[i]));
    line += autoExit ? " 1" : " 0";
    return line;
}

std::string CNetlistWriter::Build(CCircuit& top) {
    m_text.clear();
    m_nextNet = 1;
    m_lineCount = 0;
    ClearNumberedFlags(top);
    // The local numbering of the top sheet is the global numbering of its own nets (both
    // count from 1 with nothing joined from outside), so it is done once, by WriteSheet.
    NumberSheetsBelow(top);
    CleanUpWires(top, top.GetDrawingArea());
    AppendLines(SimulationLine(top, m_autoExit) + "\n");
    WriteSheet(top, nullptr, {});
    RecordPortNumbers(top);
    return std::move(m_text);
}

void CNetlistWriter::WriteSheet(CCircuit& sheet, CSubCirPart* instance, const std::string& prefix) {
    ResetNodeNumbers(sheet);
    CNetPropagator nets;
    NumberGroundNets(sheet, nets);
    if (instance) JoinPortNets(sheet, *instance, nets);
    NumberRemainingNets(sheet, nets, m_nextNet);

    int32_t written = 0;
    std::string line;
    for (const auto& part : sheet.GetObjects()) {
        line.clear();
        const int count = part->WriteNetlistLine(line, prefix);
        if (count <= 0) continue;
        written += count;
        AppendLines(line);
    }
    if (instance)
        instance->SetLineRange(m_lineCount, m_lineCount + written);
    else
        sheet.SetNetlistLineCount(written);
    m_lineCount += written;

    const std::vector<CSubCirPart*> instances = sheet.GetInstances();
    for (size_t i = 0; i < instances.size(); ++i)
        if (CCircuit* inner = instances[i]->GetSheet())
            WriteSheet(*inner, instances[i], ChildPrefix(prefix, i + 1));
}

// A port net inside is the outer net at the instance's pin of that port number.
void CNetlistWriter::JoinPortNets(CCircuit& sheet, const CSubCirPart& instance,
                                  CNetPropagator& nets) {
    for (size_t number = 0; number < sheet.GetPortCount(); ++number) {
        if (sheet.GetPortNodeNumber(number) == CSimNode::kLeftOut) continue;
        const CSimTerm* port = sheet.GetPortObject(number);
        CSimNode* inside = port ? port->GetNode(0) : nullptr;
        if (!inside || inside->GetNumber() != CSimNode::kNotNumbered) continue;
        const int32_t outside = number < instance.GetTerminalCount()
                                    ? instance.GetNodeNumber(number)
                                    : CSimNode::kNotNumbered;
        if (outside >= 0) nets.Spread(*inside, outside);
    }
}

// Lines arrive with line feeds; the file has CR LF, as a text file of the engine's.
void CNetlistWriter::AppendLines(const std::string& lines) {
    size_t start = 0;
    for (size_t end = lines.find('\n'); end != std::string::npos; end = lines.find('\n', start)) {
        m_text.append(lines, start, end - start);
        m_text += "\r\n";
        start = end + 1;
    }
    m_text.append(lines, start, std::string::npos);
}

std::optional<std::string> WriteNetlistFile(CCircuit& top, const CNetlistFolders& folders,
                                            bool autoExit, CPrompts& prompts) {
    const std::string path = NetlistFileName(top.GetPathName(), folders);
    try {
        CMirrorFile file(path);
        const std::string text = CNetlistWriter(autoExit).Build(top);
        file.Write(text.data(), text.size());
        file.Commit();
        return path;
    } catch (const CFileException& error) {
        prompts.Error(error.what());
    } catch (const std::exception&) {
        std::string message = kNetlistWriteFailed;
        message.replace(message.find("%s"), 2, path);
        prompts.Error(message);
    }
    return std::nullopt;
}

}  // namespace kestro
