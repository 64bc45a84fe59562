#pragma once

// Reads the netlist the editor writes: the simulation line, then one line per element
// ('NAME' 'INSTANCE' nodes... values...). The reader knows nothing of the elements: it
// splits each line into fields, and the model table says what the fields mean.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro::tarn {

// One field of a line: a quoted text ('0 180') or a bare word (12, 1E-006).
struct CField {
    std::string text;
    bool quoted = false;
};

// The run parameters of the first line.
struct CSimulationLine {
    std::string name;  // ".TIME" unless changed
    double tstep = 0;
    double ttotal = 0;
    double tprint = 0;
    int iprint = 1;
    bool iload = false;
    bool isave = false;
    bool autoExit = false;
};

struct CElementLine {
    int lineNumber = 0;       // counted from 1 over the whole file
    std::string netlistName;  // 'R'
    std::string instance;     // 'S1.R1'
    std::vector<CField> fields;
};

struct CNetlist {
    CSimulationLine simulation;
    std::vector<CElementLine> elements;
};

// A reason a netlist cannot be used, with the line it concerns (0: the file as a whole).
struct CNetlistError {
    int line = 0;
    std::string message;
    // "line 4: ..." or the message alone.
    std::string Text() const;
};

// Splits one line into fields. A quoted field runs to the next quote that ends the line or
// is followed by a blank, so a quote inside a text survives. Nothing when a quote is left
// open.
std::optional<std::vector<CField>> SplitFields(std::string_view line);

// Reads the whole netlist text; the first problem found is reported.
struct CNetlistResult {
    std::optional<CNetlist> netlist;
    CNetlistError error;
};
CNetlistResult ReadNetlist(std::string_view text);

// A whole decimal number of the text; nothing for anything else.
std::optional<long long> ParseWhole(std::string_view text);
// A plain decimal number ("1E-006", "-0.5"), nothing for anything else.
std::optional<double> ParseNumber(std::string_view text);
// A number with an optional engineering suffix ("10u", "4.7k", "1E-3"): k M G m u n p.
std::optional<double> ParseEngineering(std::string_view text);
// A blank-separated list of engineering numbers; nothing when one is not a number.
std::optional<std::vector<double>> ParseNumberList(std::string_view text);

}  // namespace kestro::tarn
