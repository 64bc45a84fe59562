#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class CPrompts;

inline constexpr const char* kEngineProgram = "tarn";
inline constexpr const char* kViewerProgram = "graphon";
inline constexpr const char* kViewerMessageName = "RUNGRAPHONFROMKESTRO";
inline constexpr const char* kRunEngineTitle = "Run TARN";
// How long a newly started viewer gets to open its channel.
inline constexpr int kViewerStartTimeoutMs = 50000;

// A program to start: no shell is involved, every argument reaches it as it is.
struct CProcessRequest {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingFolder;  // empty: the caller's own folder
    friend bool operator==(const CProcessRequest&, const CProcessRequest&) = default;
};

// The engine run on a netlist: the path is one argument, whatever it holds; the engine
// works in the program folder.
CProcessRequest EngineRequest(const std::string& programFolder, const std::string& netlistPath);

// The waveform viewer, started without arguments in the program folder.
CProcessRequest ViewerRequest(const std::string& programFolder);

// The engine's result file for a netlist: the extension of the file name (not of a folder)
// replaced by ".TXT", or ".TXT" added when the name has none. Empty for an empty path.
std::string ResultFileName(const std::string& netlistPath);

// A window title belongs to the viewer when its first seven characters are "Graphon" in
// any case; shorter titles never do.
bool IsViewerTitle(std::string_view title);

// "Failed to run %s" and a line feed and the system's reason.
std::string RunFailureMessage(const std::string& program, const std::string& reason);

// Picks one of several top-level sheets by path name: one is taken as it is, several are
// offered in a list titled "Run TARN". Nothing when there is none or the user cancels.
std::optional<size_t> ChooseTopLevel(CPrompts& prompts, const std::vector<std::string>& paths);

// The name of the local socket through which a running viewer is reached: inside the
// user's runtime folder when there is one, else in the temporary folder with the user id.
std::string ViewerSocketName(const std::string& runtimeFolder, uint32_t userId);

// Starts programs. Returns the process id, or 0 with the system's reason filled in.
class CProcessStarter {
public:
    virtual ~CProcessStarter() = default;
    virtual int64_t Start(const CProcessRequest& request, std::string& reason) = 0;
};

// The channel to the waveform viewer (see docs/viewer-channel.md).
class CViewerChannel {
public:
    virtual ~CViewerChannel() = default;
    // Connects to a running viewer and returns the window title it reports, or nothing
    // when no viewer answers.
    virtual std::optional<std::string> ConnectToRunning() = 0;
    // Over the connection just made: hands over the result file (when not empty) and asks
    // the viewer to come to the front.
    virtual void HandToRunning(const std::string& resultFile) = 0;
    // Drops the connection just made without a request.
    virtual void Disconnect() = 0;
    // For a viewer just started: waits up to timeoutMs until it accepts a connection, then
    // hands over the result file. May finish after returning.
    virtual void HandToStarted(const std::string& resultFile, int timeoutMs) = 0;
};

// What a schematic window supplies for a run: the top-level sheets that contain it and the
// netlist of the one chosen.
class CSimulationSource {
public:
    virtual ~CSimulationSource() = default;
    // Path names of the top-level sheets containing the active sheet, in collection order.
    virtual std::vector<std::string> TopLevelPathNames() = 0;
    // Writes the netlist of the sheet at that index and returns its path; nothing when the
    // writing failed (the writer has told the user why).
    virtual std::optional<std::string> WriteNetlist(size_t topLevelIndex) = 0;
};

// Starts the engine and the viewer, remembering the netlist of the last successful run.
class CSimulationLauncher {
public:
    CSimulationLauncher(std::string programFolder, CProcessStarter& starter, CViewerChannel& viewer,
                        CPrompts& prompts);

    // Run TARN: choose the top-level sheet, write its netlist, start the engine on it.
    // True when the engine started.
    bool RunEngine(CSimulationSource& source);
    // Run GRAPHON: hand the last result file to a running viewer, or start one.
    void RunViewer();

    const std::string& LastNetlistPath() const { return m_lastNetlistPath; }
    const std::string& ProgramFolder() const { return m_programFolder; }

private:
    // Starts the program; on failure tells the user and returns false.
    bool Start(const CProcessRequest& request);

    std::string m_programFolder;
    CProcessStarter& m_starter;
    CViewerChannel& m_viewer;
    CPrompts& m_prompts;
    std::string m_lastNetlistPath;
};

}  // namespace kestro
