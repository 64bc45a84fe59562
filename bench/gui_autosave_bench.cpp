// The timer's autosave in the running editor, with a 100,000-object sheet open and
// modified: how long each piece of work it puts on the window's thread takes. The first
// autosave of the sheet only asks for memory (made ready on another thread) and takes
// the snapshot in a later event; the ones after write into that memory at once.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "bench/bench_world.h"
#include "bench/gui_bench_main.h"
#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings_store.h"
#include "gui/app/autosave.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"

namespace kestro {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

struct CEditorFixture {
    QTemporaryDir folder;
    std::unique_ptr<CKestroApp> app;
    CCircuit* sheet = nullptr;

    CEditorFixture() {
        qputenv("XDG_STATE_HOME", (folder.path() + "/state").toUtf8());
        qputenv("XDG_CONFIG_HOME", (folder.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (folder.path() + "/data").toUtf8());
        const QString program = folder.path() + "/program/";
        QDir().mkpath(program);
        QFile::copy(KESTRO_BINARY_DIR "/bin/KESTRO.LIB", program + "KESTRO.LIB");
        CKestroAppSetup setup;
        setup.settingsStore = std::make_unique<CMemorySettingsStore>();
        setup.prompts = std::make_unique<CScriptedPrompts>();
        setup.programFolder = program.toStdString();
        setup.userFolder = (folder.path() + "/user/").toStdString();
        app = std::make_unique<CKestroApp>(std::move(setup));
        app->Start();
        sheet = app->NewDocument();
        Fill(100000);
    }

    // Resistor rows as the other benchmarks draw them, with the bundled library's resistor.
    void Fill(int count) {
        const CPartEnvironment& parts = app->DocTemplate()->Manager().GetContext().parts;
        const auto resistor = static_cast<uint16_t>(app->Library()->FindElementByName("R"));
        bench::FillResistorRows(*sheet, parts, count, resistor);
        sheet->SetModified();
    }

    // Runs the events until the sheet's copy is written and its memory idle; the longest
    // single turn of the event loop.
    Clock::duration RunUntilWritten() {
        CAutosave& autosave = *app->Autosave();
        const std::string key = CAutosave::Key(*sheet);
        Clock::duration longest{};
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        while (Clock::now() < deadline &&
               (autosave.Store().List().empty() || autosave.Buffers().IsBusy(key))) {
            const auto start = Clock::now();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            longest = std::max(longest, Clock::now() - start);
        }
        return longest;
    }
};

CEditorFixture* g_editor = nullptr;

CEditorFixture& Editor() {
    if (!g_editor) g_editor = new CEditorFixture;
    return *g_editor;
}

// Every autosave after the first: the call the timer makes, which takes the snapshot.
void BM_TimerAutosaveWithMemoryReady(benchmark::State& state) {
    CEditorFixture& editor = Editor();
    CAutosave& autosave = *editor.app->Autosave();
    autosave.SaveSparingTheWindow();
    editor.RunUntilWritten();
    for (auto _ : state) {
        const auto start = Clock::now();
        autosave.SaveSparingTheWindow();
        state.SetIterationTime(Seconds(Clock::now() - start));
        autosave.Wait();
    }
}
BENCHMARK(BM_TimerAutosaveWithMemoryReady)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first autosave of the sheet: the longest the window is held, from the timer's call
// until the copy is written (the snapshot then runs in an event of its own).
void BM_FirstTimerAutosaveLongestHold(benchmark::State& state) {
    CEditorFixture& editor = Editor();
    CAutosave& autosave = *editor.app->Autosave();
    for (auto _ : state) {
        // A save lets the sheet's memory go: the next autosave is a first one again.
        editor.sheet->SetModified(false);
        autosave.SaveSparingTheWindow();
        autosave.Wait();
        editor.sheet->SetModified(true);
        const auto start = Clock::now();
        autosave.SaveSparingTheWindow();
        const Clock::duration call = Clock::now() - start;
        state.SetIterationTime(Seconds(std::max(call, editor.RunUntilWritten())));
    }
}
BENCHMARK(BM_FirstTimerAutosaveLongestHold)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv, [] {
        delete kestro::g_editor;
        kestro::g_editor = nullptr;
    });
}
