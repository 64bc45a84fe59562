#include "tools/tarn/lib/result_table.h"

#include <charconv>
#include <cmath>

namespace kestro::tarn {

namespace {

constexpr size_t kFlushSize = 1 << 16;

// Tabs and line ends would break the table: they become blanks.
std::string CleanName(std::string name) {
    for (char& c : name)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return name;
}

}  // namespace

std::string ResultHeader(const std::vector<CColumn>& columns) {
    std::string header = "Time [s]";
    for (const CColumn& column : columns)
        header += "\t" + CleanName(column.name) + " [" + column.unit + "]";
    return header + "\n";
}

void AppendNumber(std::string& out, double value, int digits) {
    if (!std::isfinite(value)) value = 0;  // ngspice never hands these; keep the table readable
    if (value == 0) value = 0;             // no "-0"
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    out.append(buffer, result.ptr);
}

CResultTable::CResultTable(const CDeck& deck, const CSimulationLine& simulation,
                           std::function<void(std::string_view)> write)
    : m_deck(deck),
      m_tstep(simulation.tstep),
      m_lastStep(static_cast<int64_t>(std::floor(simulation.ttotal / simulation.tstep + 1e-6))),
      m_firstPrinted(static_cast<int64_t>(std::ceil(simulation.tprint / simulation.tstep - 1e-6))),
      m_iprint(simulation.iprint < 1 ? 1 : simulation.iprint),
      m_write(std::move(write)) {
    if (m_firstPrinted < 0) m_firstPrinted = 0;
    m_windows.resize(deck.columns.size());
    for (size_t i = 0; i < deck.columns.size(); ++i) {
        const CColumn& column = deck.columns[i];
        if (column.window == CColumn::Window::None) continue;
        const double samples = std::round(column.period / m_tstep);
        m_windows[i].samples.assign(samples < 1     ? 1
                                    : samples > 1e7 ? 10000000
                                                    : size_t(samples),
                                    0.0);
    }
    m_buffer = ResultHeader(deck.columns);
}

double CResultTable::Evaluate(const std::vector<CTerm>& terms) const {
    const auto signal = [this](int index) {
        return index >= 0 && size_t(index) < m_current.size() ? m_current[size_t(index)] : 0.0;
    };
    double sum = 0;
    for (const CTerm& term : terms)
        sum += term.coefficient * signal(term.a) * (term.b == -2 ? 1.0 : signal(term.b));
    return sum;
}

void CResultTable::Add(double time, const double* values) {
    const size_t count = m_deck.quantities.size();
    m_current.assign(values, values + count);
    if (!m_started) {
        // ngspice's first point comes just after 0: it stands for the start.
        m_started = true;
        m_previous = m_current;
        m_previousTime = 0;
        EmitStep(m_nextStep++, m_current);
        if (time <= 0) {
            m_lastTime = time;
            return;
        }
    }
    m_step.resize(count);
    while (m_nextStep <= m_lastStep) {
        const double stepTime = double(m_nextStep) * m_tstep;
        if (stepTime > time * (1 + 1e-12)) break;
        const double span = time - m_previousTime;
        const double weight = span > 0 ? (stepTime - m_previousTime) / span : 1.0;
        for (size_t i = 0; i < count; ++i)
            m_step[i] = m_previous[i] + (m_current[i] - m_previous[i]) * weight;
        EmitStep(m_nextStep++, m_step);
    }
    m_previous = m_current;
    m_previousTime = time;
    m_lastTime = time;
}

double CResultTable::Column(size_t index, const std::vector<double>& values) {
    const CColumn& column = m_deck.columns[index];
    const auto signal = [&values](int i) {
        return i >= 0 && size_t(i) < values.size() ? values[size_t(i)] : 0.0;
    };
    double value = 0;
    for (const CTerm& term : column.terms)
        value += term.coefficient * signal(term.a) * (term.b == -2 ? 1.0 : signal(term.b));
    if (column.window == CColumn::Window::None) return value;
    CWindow& window = m_windows[index];
    const double sample = column.window == CColumn::Window::Rms ? value * value : value;
    if (window.count == window.samples.size())
        window.sum -= window.samples[window.next];
    else
        ++window.count;
    window.samples[window.next] = sample;
    window.sum += sample;
    window.next = (window.next + 1) % window.samples.size();
    const double mean = window.sum / double(window.count);
    return column.window == CColumn::Window::Rms ? std::sqrt(mean > 0 ? mean : 0) : mean;
}

void CResultTable::EmitStep(int64_t step, const std::vector<double>& values) {
    // Windows see every step, printed or not.
    m_columnValues.resize(m_deck.columns.size());
    for (size_t i = 0; i < m_columnValues.size(); ++i)
        m_columnValues[i] = Column(i, values);
    if (step < m_firstPrinted || (step - m_firstPrinted) % m_iprint != 0) return;
    AppendNumber(m_buffer, double(step) * m_tstep, 10);
    for (double value : m_columnValues) {
        m_buffer += '\t';
        AppendNumber(m_buffer, value, 8);
    }
    m_buffer += '\n';
    ++m_rows;
    if (m_buffer.size() >= kFlushSize) Flush();
}

void CResultTable::Flush() {
    if (m_buffer.empty()) return;
    m_write(m_buffer);
    m_buffer.clear();
}

bool CResultTable::Finish() {
    Flush();
    return m_started && m_nextStep > m_lastStep;
}

}  // namespace kestro::tarn
