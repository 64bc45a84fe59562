#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app/simulation_launch.h"
#include "core/netlist/netlist_file_name.h"

namespace kestro {

class CCircuit;

// Run TARN on a sheet: the top-level sheets that contain it are offered, and the
// netlist of the chosen one is written beside it. "Auto-exit TARN" is read from the
// live settings when the netlist is written; messages go to the sheet's prompts.
class CNetlistSource : public CSimulationSource {
public:
    CNetlistSource(CCircuit& active, CNetlistFolders folders);

    // Each top-level sheet by its path name (its title while it has none).
    std::vector<std::string> TopLevelPathNames() override;
    std::optional<std::string> WriteNetlist(size_t topLevelIndex) override;

    const std::vector<CCircuit*>& TopLevelSheets() const { return m_topLevel; }

private:
    CCircuit& m_active;
    CNetlistFolders m_folders;
    std::vector<CCircuit*> m_topLevel;
};

}  // namespace kestro
