#include "core/app/simulation_launch.h"

#include <cctype>

#include "core/platform/number_text.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"

namespace kestro {

CProcessRequest EngineRequest(const std::string& programFolder, const std::string& netlistPath) {
    return {WithTrailingSlash(programFolder) + kEngineProgram, {netlistPath}, programFolder};
}

CProcessRequest ViewerRequest(const std::string& programFolder) {
    return {WithTrailingSlash(programFolder) + kViewerProgram, {}, programFolder};
}

std::string ResultFileName(const std::string& netlistPath) {
    if (netlistPath.empty()) return {};
    return ReplaceExtension(netlistPath, ".TXT");
}

bool IsViewerTitle(std::string_view title) {
    constexpr std::string_view kName = "graphon";
    if (title.size() < kName.size()) return false;
    for (size_t i = 0; i < kName.size(); ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (std::tolower(c) != kName[i]) return false;
    }
    return true;
}

std::string RunFailureMessage(const std::string& program, const std::string& reason) {
    return "Failed to run " + program + "\n" + reason;
}

std::optional<size_t> ChooseTopLevel(CPrompts& prompts, const std::vector<std::string>& paths) {
    if (paths.empty()) return std::nullopt;
    if (paths.size() == 1) return 0;
    const std::optional<int> chosen = prompts.ChooseFromList(kRunEngineTitle, paths);
    if (!chosen || *chosen < 0 || static_cast<size_t>(*chosen) >= paths.size()) return std::nullopt;
    return static_cast<size_t>(*chosen);
}

std::string ViewerSocketName(const std::string& runtimeFolder, uint32_t userId) {
    if (!runtimeFolder.empty()) return WithTrailingSlash(runtimeFolder) + kViewerMessageName;
    return std::string(kViewerMessageName) + "-" + FormatInt(static_cast<int64_t>(userId));
}

CSimulationLauncher::CSimulationLauncher(std::string programFolder, CProcessStarter& starter,
                                         CViewerChannel& viewer, CPrompts& prompts)
    : m_programFolder(std::move(programFolder)),
      m_starter(starter),
      m_viewer(viewer),
      m_prompts(prompts) {}

bool CSimulationLauncher::Start(const CProcessRequest& request) {
    std::string reason;
    if (m_starter.Start(request, reason) != 0) return true;
    m_prompts.ShowMessage(RunFailureMessage(request.program, reason), MessageIcon::Stop);
    return false;
}

bool CSimulationLauncher::RunEngine(CSimulationSource& source) {
    const std::optional<size_t> chosen = ChooseTopLevel(m_prompts, source.TopLevelPathNames());
    if (!chosen) return false;
    const std::optional<std::string> netlist = source.WriteNetlist(*chosen);
    if (!netlist) return false;
    if (!Start(EngineRequest(m_programFolder, *netlist))) return false;
    m_lastNetlistPath = *netlist;
    return true;
}

void CSimulationLauncher::RunViewer() {
    const std::string resultFile = ResultFileName(m_lastNetlistPath);
    if (const auto title = m_viewer.ConnectToRunning()) {
        if (IsViewerTitle(*title)) {
            m_viewer.HandToRunning(resultFile);
            return;
        }
        m_viewer.Disconnect();
    }
    if (Start(ViewerRequest(m_programFolder)) && !resultFile.empty())
        m_viewer.HandToStarted(resultFile, kViewerStartTimeoutMs);
}

}  // namespace kestro
