#pragma once

// Turns ngspice's accepted time points into the rows of the result table: values at every
// multiple of Tstep by linear interpolation, meters over their windows, and only the rows
// that Tprint and Iprint ask for. See docs/result-format.md.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tarn/lib/deck.h"
#include "tools/tarn/lib/netlist_reader.h"

namespace kestro::tarn {

// The header line: "Time [s]", then "<instance> [<unit>]" per column, separated by tabs.
std::string ResultHeader(const std::vector<CColumn>& columns);

// Numbers of the table: shortest text that reads back to the same value at the given
// number of significant digits, never in the user's locale.
void AppendNumber(std::string& out, double value, int digits);

class CResultTable {
public:
    // `write` receives the text in pieces, the header first.
    CResultTable(const CDeck& deck, const CSimulationLine& simulation,
                 std::function<void(std::string_view)> write);

    // One accepted time point with the value of every recorded signal.
    void Add(double time, const double* values);
    // Writes what is still buffered; true when the last point reached the end time.
    bool Finish();

    double LastTime() const { return m_lastTime; }
    int64_t Rows() const { return m_rows; }
    // A state entry's value at the last point.
    double Evaluate(const std::vector<CTerm>& terms) const;

private:
    void EmitStep(int64_t step, const std::vector<double>& values);
    double Column(size_t index, const std::vector<double>& values);
    void Flush();

    struct CWindow {
        std::vector<double> samples;
        size_t next = 0;
        size_t count = 0;
        double sum = 0;
    };

    const CDeck& m_deck;
    double m_tstep;
    int64_t m_lastStep;
    int64_t m_firstPrinted;
    int m_iprint;
    std::function<void(std::string_view)> m_write;
    std::vector<CWindow> m_windows;  // one per column, empty for plain columns
    std::vector<double> m_previous;  // signals at the previous accepted point
    std::vector<double> m_current;
    std::vector<double> m_step;  // interpolated signals at a step
    std::vector<double> m_columnValues;
    double m_previousTime = -1;
    double m_lastTime = 0;
    bool m_started = false;
    int64_t m_nextStep = 0;
    int64_t m_rows = 0;
    std::string m_buffer;
};

}  // namespace kestro::tarn
