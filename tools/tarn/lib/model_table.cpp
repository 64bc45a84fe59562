#include "tools/tarn/lib/model_table.h"

#include <algorithm>

namespace kestro::tarn {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

const char* KindName(ValueKind kind) {
    switch (kind) {
        case ValueKind::Float:
            return "number";
        case ValueKind::Integer:
            return "whole number";
        case ValueKind::Boolean:
            return "0 or 1";
        case ValueKind::Text:
            return "text";
    }
    return "";
}

}  // namespace

const std::vector<CModel>& ModelTable() {
    static const std::vector<CModel> table = [] {
        std::vector<CModel> all;
        AddPassiveModels(all);
        AddSourceModels(all);
        AddSwitchModels(all);
        AddControlModels(all);
        AddMeterModels(all);
        return all;
    }();
    return table;
}

const CModel* FindModel(std::string_view netlistName) {
    for (const CModel& model : ModelTable())
        if (SameName(model.netlistName, netlistName)) return &model;
    return nullptr;
}

std::string ModelReference() {
    std::string text =
        "# Simulation models\n"
        "\n"
        "How `tarn` simulates each element of the library. Every element line of the netlist "
        "becomes a few lines of an ngspice deck through one table keyed by the element's "
        "netlist name; this page is printed from that table (`tarn --models`). An element "
        "that is not listed here has no model: a netlist that uses it is refused before "
        "anything is simulated, naming every such element.\n"
        "\n"
        "Common to all models:\n"
        "\n"
        "- The run is a transient analysis from rest: every node starts at 0 V and every "
        "inductor current at 0 A, except the initial values the elements give (and the state "
        "of an earlier run with Iload). The time step is never longer than Tstep; ngspice "
        "shortens it where the circuit changes fast.\n"
        "- Control signals are node voltages against ground. Control blocks read their inputs "
        "without loading them and drive their outputs as ideal voltage sources.\n"
        "- Gating signals are control signals: a switch is on while its gate is above 0.5.\n"
        "- Switches are resistors of 1 mOhm when on (or the element's Ron when it is larger) "
        "and 1 MOhm when off. Diodes are exponential junctions steep enough to drop about "
        "0.05 V at tens of amperes, with 1 mOhm in series and 1 MOhm in parallel; a forward "
        "drop Vd adds a source of Vd in series.\n"
        "- Every node has 1 GOhm to ground, so parts joined only through open switches or "
        "capacitors still have a defined voltage.\n"
        "- State0 of the switches has no effect unless a model says otherwise: a controlled "
        "switch follows its gate from the first step, a diode the circuit.\n";
    for (const CModel& model : ModelTable()) {
        text += "\n## `" + std::string(model.netlistName) + "`: " + model.title + "\n\n";
        text += std::string(model.model) + "\n";
        if (*model.limits) text += "\nLimits: " + std::string(model.limits) + "\n";
        text += "\nPins: ";
        for (size_t i = 0; i < model.pins.size(); ++i)
            text +=
                (i ? "; " : "") + std::string("N") + std::to_string(i + 1) + " " + model.pins[i];
        text += ".\n";
        if (model.values.empty()) continue;
        text += "\n| Value | Unit | Kind |\n|---|---|---|\n";
        for (const CValueRule& value : model.values)
            text += "| " + std::string(value.name) + " | " + value.unit + " | " +
                    KindName(value.kind) + " |\n";
    }
    return text;
}

}  // namespace kestro::tarn
