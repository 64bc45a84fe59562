#include "tools/tarn/lib/deck_builder.h"

#include "tools/tarn/lib/model_table.h"

namespace kestro::tarn {

namespace {

CDeckResult Failure(int line, std::string message) {
    return {std::nullopt, {line, std::move(message)}};
}

std::optional<std::string> CheckSimulationLine(const CSimulationLine& line) {
    if (!(line.tstep > 0)) return "the time step Tstep must be above 0";
    if (!(line.ttotal > 0)) return "the total time Ttotal must be above 0";
    if (line.ttotal < line.tstep) return "the total time Ttotal must be at least one time step";
    if (line.ttotal / line.tstep > kMaxSteps)
        return "Ttotal / Tstep is more than 100000000 time steps";
    if (line.tprint < 0) return "the first printed time Tprint must not be negative";
    return std::nullopt;
}

std::string Describe(const CElementLine& element) {
    return "'" + element.netlistName + "' " + element.instance + " (line " +
           std::to_string(element.lineNumber) + ")";
}

// Every element without a model, in one message; nothing when all have one.
std::optional<std::string> MissingModels(const CNetlist& netlist) {
    std::string list;
    int count = 0;
    for (const CElementLine& element : netlist.elements) {
        if (FindModel(element.netlistName)) continue;
        list += (count++ ? ", " : "") + Describe(element);
    }
    if (count == 0) return std::nullopt;
    return (count == 1 ? "this element has no simulation model: "
                       : "these elements have no simulation model: ") +
           list + ". Nothing was simulated.";
}

// The problem with an element's fields, if any; fills the pin node names.
std::optional<std::string> CheckFields(const CModel& model, const CElementLine& element,
                                       std::vector<std::string>& pins) {
    const size_t wanted = model.pins.size() + model.values.size();
    if (element.fields.size() != wanted)
        return std::to_string(wanted) + " fields (" + std::to_string(model.pins.size()) +
               " nodes and " + std::to_string(model.values.size()) +
               " values) must follow the names, but there are " +
               std::to_string(element.fields.size());
    for (size_t i = 0; i < model.pins.size(); ++i) {
        const CField& field = element.fields[i];
        const auto node = field.quoted ? std::nullopt : ParseWhole(field.text);
        if (!node || *node < 0 || *node > 1000000000)
            return "node " + std::to_string(i + 1) + " is not a net number: \"" + field.text + "\"";
        pins.push_back(std::to_string(*node));
    }
    for (size_t i = 0; i < model.values.size(); ++i) {
        const CValueRule& rule = model.values[i];
        const CField& field = element.fields[model.pins.size() + i];
        const bool number = !field.quoted && ParseNumber(field.text).has_value();
        const bool whole = !field.quoted && ParseWhole(field.text).has_value();
        const bool fits =
            rule.kind == ValueKind::Text || (rule.kind == ValueKind::Float ? number : whole);
        if (!fits)
            return std::string(rule.name) + " is not " +
                   (rule.kind == ValueKind::Float ? "a number" : "a whole number") + ": \"" +
                   field.text + "\"";
    }
    return std::nullopt;
}

}  // namespace

CDeckResult BuildDeck(const CNetlist& netlist, const std::map<std::string, double>* loadedState) {
    if (auto problem = CheckSimulationLine(netlist.simulation)) return Failure(1, *problem);
    if (auto missing = MissingModels(netlist)) return Failure(0, *missing);
    CDeck deck;
    deck.tstep = netlist.simulation.tstep;
    deck.ttotal = netlist.simulation.ttotal;
    int index = 0;
    for (const CElementLine& element : netlist.elements) {
        const CModel& model = *FindModel(element.netlistName);
        std::vector<std::string> pins;
        if (auto problem = CheckFields(model, element, pins))
            return Failure(element.lineNumber, element.instance + ": " + *problem);
        CElementContext context(deck, element, ++index, loadedState);
        context.SetPins(std::move(pins));
        context.SetValues({element.fields.begin() + long(model.pins.size()), element.fields.end()});
        model.translate(context);
        if (context.Problem())
            return Failure(element.lineNumber, element.instance + " ('" + element.netlistName +
                                                   "'): " + *context.Problem());
    }
    if (deck.lines.empty()) return Failure(0, "the netlist has no elements to simulate");
    return {std::move(deck), {}};
}

}  // namespace kestro::tarn
