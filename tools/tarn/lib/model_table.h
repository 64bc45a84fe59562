#pragma once

// The one table that turns each element of the netlist into ngspice lines, keyed by the
// element's netlist name. Each entry also says what its model stands for and where it
// stops being faithful; the model reference in the documentation is printed from it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tarn/lib/deck.h"

namespace kestro::tarn {

enum class ValueKind { Float, Integer, Boolean, Text };

struct CValueRule {
    const char* name;
    const char* unit;
    ValueKind kind;
};

struct CModel {
    const char* netlistName;
    const char* title;
    std::vector<const char*> pins;  // what each pin is, in netlist order
    std::vector<CValueRule> values;
    const char* model;   // what the model stands for
    const char* limits;  // where it stops being faithful; may be empty
    void (*translate)(CElementContext&);
};

// Every model, in the order the documentation lists them.
const std::vector<CModel>& ModelTable();
// The model of a netlist name (compared without regard to case); nothing when there is none.
const CModel* FindModel(std::string_view netlistName);

// The families of the table, each in its own file.
void AddPassiveModels(std::vector<CModel>& table);
void AddSourceModels(std::vector<CModel>& table);
void AddSwitchModels(std::vector<CModel>& table);
void AddControlModels(std::vector<CModel>& table);
void AddMeterModels(std::vector<CModel>& table);

// The model reference as Markdown.
std::string ModelReference();

}  // namespace kestro::tarn
