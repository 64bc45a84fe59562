#include "tools/tarn/engine_run.h"

#include <ngspice/sharedspice.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <utility>

#include "core/app/simulation_launch.h"
#include "tools/common/tool_support.h"
#include "tools/tarn/lib/deck_builder.h"
#include "tools/tarn/lib/state_file.h"

namespace kestro::tarn {

namespace {

int SendChar(char* text, int, void* self) {
    static_cast<CEngineRun*>(self)->OnText(text);
    return 0;
}
int SendStatus(char*, int, void*) {
    return 0;
}
int ControlledExit(int, NG_BOOL, NG_BOOL, int, void* self) {
    static_cast<CEngineRun*>(self)->OnExit();
    return 0;
}
int SendData(pvecvaluesall values, int, int, void* self) {
    static_cast<CEngineRun*>(self)->OnData(values);
    return 0;
}
int SendInitData(pvecinfoall, int, void*) {
    return 0;
}
// ngspice calls this with false when its thread starts and with true when it has ended.
int ThreadRunning(NG_BOOL ended, int, void* self) {
    static_cast<CEngineRun*>(self)->OnThread(ended);
    return 0;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool Names(const CSignal& signal, std::string_view vector) {
    if (signal.kind == CSignal::Kind::NodeVoltage)
        return SameText(vector, signal.name) || SameText(vector, "V(" + signal.name + ")");
    return SameText(vector, signal.name + "#branch") || SameText(vector, "I(" + signal.name + ")");
}

}  // namespace

CEngineRun::CEngineRun(std::string netlistPath)
    : m_netlistPath(std::move(netlistPath)), m_resultPath(ResultFileName(m_netlistPath)) {}

CEngineRun::~CEngineRun() {
    if (m_started && Running()) ngSpice_Command(const_cast<char*>("bg_halt"));
}

void CEngineRun::Say(const std::string& line) {
    std::lock_guard lock(m_logMutex);
    m_log.push_back(line);
}

int CEngineRun::Fail(int status, const std::string& message) {
    Say("Error: " + message);
    return tool::Fail(status, message);
}

std::vector<std::string> CEngineRun::TakeLog() {
    std::lock_guard lock(m_logMutex);
    return std::exchange(m_log, {});
}

std::optional<int> CEngineRun::Prepare() {
    std::string text;
    try {
        text = ReadWholeFile(m_netlistPath);
    } catch (const CFileException& e) {
        return Fail(tool::kBadInput, e.what());
    }
    CNetlistResult read = ReadNetlist(text);
    if (!read.netlist) return Fail(tool::kBadInput, m_netlistPath + ": " + read.error.Text());
    m_netlist = std::move(read.netlist);

    std::optional<std::map<std::string, double>> state;
    if (m_netlist->simulation.iload) {
        const std::string statePath = StateFileName(m_netlistPath);
        if (!FileExists(statePath)) {
            Say("No saved state in " + statePath + ": the run starts from rest.");
        } else {
            CStateResult loaded;
            try {
                loaded = ReadState(ReadWholeFile(statePath));
            } catch (const CFileException& e) {
                return Fail(tool::kBadInput, e.what());
            }
            if (!loaded.values) return Fail(tool::kBadInput, statePath + ": " + loaded.error);
            state = std::move(loaded.values);
            Say("Starting from the state saved in " + statePath + ".");
        }
    }
    CDeckResult built = BuildDeck(*m_netlist, state ? &*state : nullptr);
    if (!built.deck) return Fail(tool::kBadInput, m_netlistPath + ": " + built.error.Text());
    m_deck = std::move(built.deck);

    try {
        m_file = std::make_unique<CMirrorFile>(m_resultPath);
    } catch (const CFileException& e) {
        return Fail(tool::kCannotWrite, e.what());
    }
    m_table = std::make_unique<CResultTable>(*m_deck, m_netlist->simulation,
                                             [this](std::string_view piece) {
                                                 if (!m_writeProblem.empty()) return;
                                                 try {
                                                     m_file->Write(piece.data(), piece.size());
                                                 } catch (const CFileException& e) {
                                                     m_writeProblem = e.what();
                                                 }
                                             });
    Say("Netlist " + m_netlistPath + ": " + std::to_string(m_netlist->elements.size()) +
        " elements, " + std::to_string(m_deck->columns.size()) + " result columns.");
    return std::nullopt;
}

std::string CEngineRun::DeckText() const {
    std::string text;
    for (const std::string& line : m_deck->Text())
        text += line + "\n";
    return text;
}

std::optional<int> CEngineRun::Start() {
    ngSpice_Init(SendChar, SendStatus, ControlledExit, SendData, SendInitData, ThreadRunning, this);
    std::vector<std::string> lines = m_deck->Text();
    std::vector<char*> pointers;
    for (std::string& line : lines)
        pointers.push_back(line.data());
    pointers.push_back(nullptr);
    m_lastError.clear();
    if (ngSpice_Circ(pointers.data()) != 0 || m_exited || !m_lastError.empty())
        return Fail(tool::kBadInput,
                    "ngspice refused the circuit: " +
                        (m_lastError.empty() ? std::string("no reason given") : m_lastError));
    m_threadEnded = false;
    m_started = true;
    ngSpice_Command(const_cast<char*>("bg_run"));
    return std::nullopt;
}

bool CEngineRun::Running() const {
    return m_started && !m_exited && !m_threadEnded;
}

void CEngineRun::Stop() {
    m_stopped = true;
    if (Running()) ngSpice_Command(const_cast<char*>("bg_halt"));
}

void CEngineRun::OnText(const char* text) {
    std::string line(text ? text : "");
    const bool error = line.starts_with("stderr");
    if (line.starts_with("stdout ")) line.erase(0, 7);
    if (error) line.erase(0, line.size() > 7 ? 7 : line.size());
    if (error &&
        (line.find("rror") != std::string::npos || line.find("too small") != std::string::npos))
        m_lastError = line;
    Say(line);
}

void CEngineRun::OnThread(bool ended) {
    m_threadEnded = ended;
}

void CEngineRun::OnExit() {
    m_exited = true;
}

bool CEngineRun::MapSignals(const void* data) {
    const auto* values = static_cast<const vecvaluesall*>(data);
    m_signalOf.assign(size_t(values->veccount), -1);
    std::vector<bool> found(m_deck->quantities.size(), false);
    for (int i = 0; i < values->veccount; ++i) {
        const vecvalues* vector = values->vecsa[i];
        if (vector->is_scale || SameText(vector->name, "time")) {
            m_timeVector = i;
            continue;
        }
        for (size_t s = 0; s < m_deck->quantities.size(); ++s) {
            if (!found[s] && Names(m_deck->quantities[s], vector->name)) {
                m_signalOf[size_t(i)] = int(s);
                found[s] = true;
                break;
            }
        }
    }
    for (size_t s = 0; s < found.size(); ++s)
        if (!found[s]) m_mapProblem = "ngspice recorded no value for " + m_deck->quantities[s].name;
    if (m_timeVector < 0) m_mapProblem = "ngspice recorded no time";
    m_values.assign(m_deck->quantities.size(), 0.0);
    return m_mapProblem.empty();
}

void CEngineRun::OnData(const void* data) {
    if (!m_mapped) {
        m_mapped = true;
        if (!MapSignals(data)) return;
    }
    if (!m_mapProblem.empty()) return;
    const auto* values = static_cast<const vecvaluesall*>(data);
    if (values->veccount != int(m_signalOf.size())) return;
    for (int i = 0; i < values->veccount; ++i)
        if (m_signalOf[size_t(i)] >= 0)
            m_values[size_t(m_signalOf[size_t(i)])] = values->vecsa[i]->creal;
    const double time = values->vecsa[m_timeVector]->creal;
    m_table->Add(time, m_values.data());
    m_progress = m_deck->ttotal > 0 ? std::min(1.0, time / m_deck->ttotal) : 1.0;
}

int CEngineRun::Finish() {
    const bool complete = m_table->Finish();
    if (!m_mapProblem.empty()) return Fail(tool::kBadInput, m_mapProblem);
    if (m_stopped) return Fail(tool::kBadInput, "the run was stopped before its end; no results");
    if (!complete) {
        const std::string reason =
            m_lastError.empty() ? std::string("ngspice gave up") : m_lastError;
        char at[64];
        std::snprintf(at, sizeof at, "%g", m_table->LastTime());
        return Fail(tool::kBadInput,
                    "the simulation stopped at t = " + std::string(at) + " s: " + reason +
                        ". Try a shorter Tstep, or look for switches that leave an inductor "
                        "without a path or capacitors joined by a switch.");
    }
    if (!m_writeProblem.empty()) return Fail(tool::kCannotWrite, m_writeProblem);
    try {
        m_file->Commit();
    } catch (const CFileException& e) {
        return Fail(tool::kCannotWrite, e.what());
    }
    Say("Results: " + m_resultPath + " (" + std::to_string(m_table->Rows()) + " rows).");
    if (m_netlist->simulation.isave) return SaveState();
    return tool::kOk;
}

int CEngineRun::SaveState() {
    std::map<std::string, double> values;
    for (const CStateEntry& entry : m_deck->state)
        values[entry.key] = m_table->Evaluate(entry.terms);
    const std::string path = StateFileName(m_netlistPath);
    try {
        CMirrorFile file(path);
        const std::string text = WriteState(values);
        file.Write(text.data(), text.size());
        file.Commit();
    } catch (const CFileException& e) {
        return Fail(tool::kCannotWrite, e.what());
    }
    Say("State saved: " + path + ".");
    return tool::kOk;
}

}  // namespace kestro::tarn
