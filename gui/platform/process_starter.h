#pragma once

#include "core/app/simulation_launch.h"

namespace kestro {

// Starts programs detached from the editor: the editor does not wait for them, and they go
// on running when it ends.
class CQtProcessStarter : public CProcessStarter {
public:
    int64_t Start(const CProcessRequest& request, std::string& reason) override;
};

}  // namespace kestro
