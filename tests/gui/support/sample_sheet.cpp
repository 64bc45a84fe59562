#include "tests/gui/support/sample_sheet.h"

#include "core/document/circuit.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "tests/gui/support/gui_test_support.h"

namespace kestro {

CSheetWorkshop::CSheetWorkshop() {
    library.Open(BundledLibraryFile().toStdString());
    manager =
        std::make_unique<CCircuitDocumentManager>(CPartEnvironment{library, settings, prompts});
    services.settings = &settings;
}

CSheetWorkshop::~CSheetWorkshop() {
    manager.reset();
}

std::shared_ptr<CCircuit> CSheetWorkshop::NewSheet() {
    return manager->CreateUntitled(manager->GetContext());
}

uint16_t CSheetWorkshop::Element(const char* netlistName) {
    return static_cast<uint16_t>(library.FindElementByName(netlistName));
}

std::shared_ptr<CCircuit> MakeEveryKindSheet(CSheetWorkshop& workshop) {
    auto sheet = workshop.NewSheet();
    const CPartEnvironment& environment = sheet->GetEnvironment();
    sheet->AddObject(CSimControl::Create(environment, {30, 30}, 0));
    sheet->AddObject(CSimText::Create(environment, "Every kind", {170, 20}, 0));
    sheet->AddObject(CSimText::Create(environment, "up", {370, 150}, 1));
    sheet->PlaceElement(workshop.Element("VDC"), {60, 140}, 0);
    sheet->PlaceElement(workshop.Element("R"), {160, 100}, 0);
    sheet->PlaceElement(workshop.Element("C"), {260, 150}, 1);
    sheet->PlaceElement(workshop.Element("GND"), {60, 220}, 0);
    // Three wires meet at (160, 190): a junction dot. (300, 250) ends open.
    sheet->AddObject(CWire::Create(environment, {60, 190}, {160, 190}));
    sheet->AddObject(CWire::Create(environment, {160, 190}, {260, 190}));
    sheet->AddObject(CWire::Create(environment, {160, 190}, {160, 250}));
    sheet->AddObject(CWire::Create(environment, {160, 250}, {300, 250}));
    auto block = workshop.NewSheet();
    sheet->AddObject(CSubCirPart::Create(environment, block, {360, 80}, 0));
    sheet->AddObject(CSimTerm::Create(environment, 0, {40, 260}, 0));
    sheet->AddObject(CSimLabel::Create(environment, "OUT", {300, 210}, 0));
    sheet->AddObject(CSimLabel::Create(environment, "out", {360, 250}, 2));
    sheet->SetModified(false);
    return sheet;
}

}  // namespace kestro
