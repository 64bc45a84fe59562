// Opening the element list of a sheet of 10,000 resistors (the dialog made and shown with
// all its rows), and its text for the clipboard or a file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "bench/gui_bench_main.h"
#include "core/document/circuit.h"
#include "core/document/element_list.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "gui/dialogs/element_list_dialog.h"

namespace kestro {
namespace {

struct CListFixture {
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    std::unique_ptr<CCircuitDocumentManager> manager;
    std::shared_ptr<CCircuit> sheet;

    explicit CListFixture(int count) {
        library.Open(KESTRO_BINARY_DIR "/bin/KESTRO.LIB");
        manager =
            std::make_unique<CCircuitDocumentManager>(CPartEnvironment{library, settings, prompts});
        sheet = manager->CreateUntitled(manager->GetContext());
        const auto resistor = static_cast<uint16_t>(library.FindElementByName("R"));
        for (int i = 0; i < count; ++i)
            sheet->PlaceElement(resistor, {50.0f + (i % 100) * 80.0f, 50.0f + (i / 100) * 70.0f},
                                0);
    }
};

void BM_OpenElementList(benchmark::State& state) {
    CListFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CElementListDlg dialog(*fixture.sheet, fixture.prompts);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.Rows().size());
    }
    state.counters["rows"] = static_cast<double>(ElementListRows(*fixture.sheet).size());
}
BENCHMARK(BM_OpenElementList)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ElementListText(benchmark::State& state) {
    CListFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ElementListText(ElementListRows(*fixture.sheet)));
}
BENCHMARK(BM_ElementListText)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv);
}
