#include "core/app/netlist_source.h"

#include "core/document/circuit.h"
#include "core/netlist/netlist_writer.h"
#include "core/platform/settings.h"

namespace kestro {

CNetlistSource::CNetlistSource(CCircuit& active, CNetlistFolders folders)
    : m_active(active), m_folders(std::move(folders)) {}

std::vector<std::string> CNetlistSource::TopLevelPathNames() {
    m_topLevel.clear();
    m_active.GetTopLevelDocuments(m_topLevel);
    std::vector<std::string> names;
    for (const CCircuit* sheet : m_topLevel)
        names.push_back(sheet->GetPathName().empty() ? sheet->GetTitle() : sheet->GetPathName());
    return names;
}

std::optional<std::string> CNetlistSource::WriteNetlist(size_t topLevelIndex) {
    if (m_topLevel.empty()) TopLevelPathNames();
    if (topLevelIndex >= m_topLevel.size()) return std::nullopt;
    const CPartEnvironment& environment = m_active.GetEnvironment();
    return WriteNetlistFile(*m_topLevel[topLevelIndex], m_folders,
                            environment.settings.closeTarn != 0, environment.prompts);
}

}  // namespace kestro
