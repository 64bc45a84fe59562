// The attribute window and the element menus: showing the page of an element with 40
// attributes, turning the window from one element to another (a resistor and a MOSFET, as
// a user clicks through a sheet), and building the "Elements" menu of the bundled library.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "bench/gui_bench_main.h"
#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/element_menu.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {
namespace {

struct CWindowFixture {
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    std::unique_ptr<CCircuitDocumentManager> manager;
    std::shared_ptr<CCircuit> sheet;
    CViewServices services;
    std::unique_ptr<CKestroView> view;
    std::unique_ptr<CKestroAttributes> window;
    CSimPart* forty = nullptr;
    CSimPart* resistor = nullptr;
    CSimPart* mosfet = nullptr;

    CWindowFixture() {
        library.Open(KESTRO_BINARY_DIR "/bin/KESTRO.LIB");
        auto element = CLibElement::MakeNew("FORTY");
        element->SetRect({-20, -20, 20, 20});
        for (int i = 1; i <= 40; ++i)
            element->AddDefinition(CNetLine("Value" + std::to_string(i), "V",
                                            CGenType::MakeFloat(i * 1.5, 0), CNetLine::kTextLink));
        const uint16_t fortyId = library.AppendElement(std::move(element));
        manager =
            std::make_unique<CCircuitDocumentManager>(CPartEnvironment{library, settings, prompts});
        sheet = manager->CreateUntitled(manager->GetContext());
        forty = sheet->PlaceElement(fortyId, {100, 100}, 0);
        resistor = sheet->PlaceElement(uint16_t(library.FindElementByName("R")), {300, 100}, 0);
        mosfet = sheet->PlaceElement(uint16_t(library.FindElementByName("MOSFET")), {500, 100}, 0);
        services.settings = &settings;
        view = std::make_unique<CKestroView>(sheet, services);
        CAttributeServices attributes;
        attributes.library = &library;
        attributes.prompts = &prompts;
        attributes.documents = manager.get();
        window = std::make_unique<CKestroAttributes>(attributes, nullptr);
        window->show();
        QApplication::processEvents();
    }
    ~CWindowFixture() {
        window.reset();
        view.reset();
    }
    void Show(CPart* part) {
        window->ShowSelection(part, sheet.get(), view.get(), true);
        QApplication::processEvents();
    }
};

CWindowFixture& Fixture() {
    static auto* fixture = new CWindowFixture;
    return *fixture;
}

void BM_ShowElementPageOf40Attributes(benchmark::State& state) {
    CWindowFixture& f = Fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.Show(nullptr);
        state.ResumeTiming();
        f.Show(f.forty);
    }
}
BENCHMARK(BM_ShowElementPageOf40Attributes)->Unit(benchmark::kMillisecond);

void BM_SwitchBetweenTwoElements(benchmark::State& state) {
    CWindowFixture& f = Fixture();
    bool first = true;
    for (auto _ : state) {
        f.Show(first ? static_cast<CPart*>(f.resistor) : f.mosfet);
        first = !first;
    }
}
BENCHMARK(BM_SwitchBetweenTwoElements)->Unit(benchmark::kMillisecond);

void BM_BuildElementsMenu(benchmark::State& state) {
    CWindowFixture& f = Fixture();
    CMainFrame frame;
    for (auto _ : state)
        RebuildElementsMenu(frame, f.library);
}
BENCHMARK(BM_BuildElementsMenu)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv, [] { delete &kestro::Fixture(); });
}
