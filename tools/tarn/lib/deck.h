#pragma once

// The ngspice deck a netlist becomes, and what each element adds to it: circuit lines,
// device models, the quantities to record, the result columns and the state kept between
// runs.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/tarn/lib/netlist_reader.h"

namespace kestro::tarn {

// A quantity ngspice records at every accepted time point.
struct CSignal {
    enum class Kind { NodeVoltage, BranchCurrent };
    Kind kind = Kind::NodeVoltage;
    std::string name;  // the node ("3", "x4_a") or the device carrying the current ("v4_p")
    friend bool operator==(const CSignal&, const CSignal&) = default;
};

// One product in a column's sum: coefficient x signal a (x signal b when b is set).
// Signal indices point into CDeck::quantities; -1 stands for ground (0 V).
struct CTerm {
    double coefficient = 1;
    int a = -1;
    int b = -2;  // -2: no second factor
};

// One column of the result table: a sum of terms, shown as it is or over a sliding window
// of one period.
struct CColumn {
    enum class Window { None, Average, Rms };
    std::string name;  // the instance name
    std::string unit;  // "V", "A", "W"
    std::vector<CTerm> terms;
    Window window = Window::None;
    double period = 0;  // of the window, in seconds
};

// A value carried from the end of one run to the start of the next (Isave, Iload): the
// voltage of a capacitor or the current of an inductor, named by instance and part.
struct CStateEntry {
    std::string key;  // "C1/C", "L1/L"
    std::vector<CTerm> terms;
};

struct CDeck {
    std::vector<std::string> lines;  // circuit and model lines, without title or analysis
    std::vector<CSignal> quantities;
    std::vector<CColumn> columns;
    std::vector<CStateEntry> state;
    std::vector<std::string> sharedKeys;  // device models added once for every element
    double tstep = 0;
    double ttotal = 0;

    // The complete text handed to ngspice, one line per entry, ".end" last.
    std::vector<std::string> Text() const;
};

// Gives one element's translation its names and collects what it adds. Names are made
// from the element's position in the netlist, so any instance name is safe in the deck.
class CElementContext {
public:
    CElementContext(CDeck& deck, const CElementLine& line, int index,
                    const std::map<std::string, double>* loadedState);

    // The deck name of the element's pin net (its net number; "0" is ground).
    const std::string& Pin(size_t pin) const { return m_pins.at(pin); }
    // A node of the element's own: "x<index>_<tag>".
    std::string Internal(const std::string& tag) const;
    // A device name: the letter (its kind for ngspice) then "<index>_<tag>".
    std::string Device(char letter, const std::string& tag) const;

    double Float(size_t value) const;
    int Integer(size_t value) const;
    bool Boolean(size_t value) const { return Integer(value) != 0; }
    const std::string& Text(size_t value) const;

    double Tstep() const { return m_deck.tstep; }
    double Ttotal() const { return m_deck.ttotal; }
    const std::string& Instance() const { return m_line.instance; }

    void Line(std::string text) { m_deck.lines.push_back(std::move(text)); }
    // A line that many elements need once, such as a shared device model.
    void SharedLine(const std::string& key, std::string text);
    // A capacitor or inductor whose start value may come from a saved state.
    void Capacitor(const std::string& tag, const std::string& a, const std::string& b,
                   double farads, double startVolts);
    void Inductor(const std::string& tag, const std::string& a, const std::string& b,
                  double henries, double startAmps);

    // The index of a recorded quantity, added once.
    int Voltage(const std::string& node);
    int Current(const std::string& device);
    void Column(CColumn column) { m_deck.columns.push_back(std::move(column)); }

    // A value that cannot be simulated; the first one stops the translation.
    void Fail(const std::string& message);
    void Require(bool condition, const std::string& message) {
        if (!condition) Fail(message);
    }
    const std::optional<std::string>& Problem() const { return m_problem; }

    void SetPins(std::vector<std::string> pins) { m_pins = std::move(pins); }
    void SetValues(std::vector<CField> values) { m_values = std::move(values); }

private:
    double Start(const std::string& key, double given) const;

    CDeck& m_deck;
    const CElementLine& m_line;
    int m_index;
    const std::map<std::string, double>* m_loaded;
    std::vector<std::string> m_pins;
    std::vector<CField> m_values;
    std::optional<std::string> m_problem;
};

// A number as ngspice reads it, with every digit a double holds.
std::string DeckNumber(double value);

}  // namespace kestro::tarn
