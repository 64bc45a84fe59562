#pragma once

// One run of the engine on a netlist: reading it, translating it, running ngspice in its
// background thread, writing the result table through a temporary file, and the state for
// the next run. The terminal and the progress window drive the same run.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/file_stream.h"
#include "tools/tarn/lib/deck.h"
#include "tools/tarn/lib/netlist_reader.h"
#include "tools/tarn/lib/result_table.h"

namespace kestro::tarn {

class CEngineRun {
public:
    explicit CEngineRun(std::string netlistPath);
    ~CEngineRun();
    CEngineRun(const CEngineRun&) = delete;
    CEngineRun& operator=(const CEngineRun&) = delete;

    // Reads the netlist, builds the deck and opens the result file; the exit status when
    // one of these fails (the reason is in the log).
    std::optional<int> Prepare();
    // Hands the deck to ngspice and starts its background thread.
    std::optional<int> Start();
    bool Running() const;
    // Asks ngspice to stop; the run then ends as failed.
    void Stop();
    // After the thread has ended: keeps the results and the state; the exit status.
    int Finish();

    // The deck handed to ngspice, one line after another.
    std::string DeckText() const;
    bool AutoExit() const { return m_netlist && m_netlist->simulation.autoExit; }
    double Progress() const { return m_progress.load(); }
    const std::string& ResultPath() const { return m_resultPath; }
    // Log lines since the last call: ngspice's output and tarn's own messages.
    std::vector<std::string> TakeLog();

    // Called by ngspice's callbacks.
    void OnText(const char* text);
    void OnData(const void* values);
    void OnExit();
    void OnThread(bool ended);

private:
    void Say(const std::string& line);
    int Fail(int status, const std::string& message);
    bool MapSignals(const void* values);
    int SaveState();

    std::string m_netlistPath;
    std::string m_resultPath;
    std::optional<CNetlist> m_netlist;
    std::optional<CDeck> m_deck;
    std::unique_ptr<CMirrorFile> m_file;
    std::unique_ptr<CResultTable> m_table;
    std::vector<int> m_signalOf;  // ngspice vector index -> signal index
    int m_timeVector = -1;
    std::vector<double> m_values;
    bool m_mapped = false;
    std::string m_mapProblem;
    std::string m_writeProblem;

    std::atomic<double> m_progress{0.0};
    std::atomic<bool> m_stopped{false};
    std::atomic<bool> m_exited{false};
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_threadEnded{true};
    std::mutex m_logMutex;
    std::vector<std::string> m_log;
    std::string m_lastError;  // ngspice's last error line
};

}  // namespace kestro::tarn
