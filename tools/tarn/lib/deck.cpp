#include "tools/tarn/lib/deck.h"

#include <charconv>

namespace kestro::tarn {

std::string DeckNumber(double value) {
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> CDeck::Text() const {
    std::vector<std::string> text;
    text.reserve(lines.size() + 8);
    text.push_back("* tarn");
    text.insert(text.end(), lines.begin(), lines.end());
    // Gear integration damps the ringing trapezoidal steps give at switching edges; the
    // shunt keeps nodes joined only through switches or capacitors from floating.
    text.push_back(".options method=gear maxord=2 rshunt=1e9 itl4=50");
    std::string save = ".save time";
    for (const CSignal& signal : quantities)
        save += signal.kind == CSignal::Kind::NodeVoltage ? " v(" + signal.name + ")"
                                                          : " i(" + signal.name + ")";
    text.push_back(save);
    text.push_back(".tran " + DeckNumber(tstep) + " " + DeckNumber(ttotal) + " 0 " +
                   DeckNumber(tstep) + " uic");
    text.push_back(".end");
    return text;
}

CElementContext::CElementContext(CDeck& deck, const CElementLine& line, int index,
                                 const std::map<std::string, double>* loadedState)
    : m_deck(deck), m_line(line), m_index(index), m_loaded(loadedState) {}

std::string CElementContext::Internal(const std::string& tag) const {
    return "x" + std::to_string(m_index) + "_" + tag;
}

std::string CElementContext::Device(char letter, const std::string& tag) const {
    return std::string(1, letter) + std::to_string(m_index) + "_" + tag;
}

double CElementContext::Float(size_t value) const {
    return ParseNumber(m_values.at(value).text).value_or(0.0);
}

int CElementContext::Integer(size_t value) const {
    const long long whole = ParseWhole(m_values.at(value).text).value_or(0);
    return whole > 1000000000 ? 1000000000 : whole < -1000000000 ? -1000000000 : int(whole);
}

const std::string& CElementContext::Text(size_t value) const {
    return m_values.at(value).text;
}

double CElementContext::Start(const std::string& key, double given) const {
    if (!m_loaded) return given;
    const auto found = m_loaded->find(key);
    return found == m_loaded->end() ? given : found->second;
}

void CElementContext::Capacitor(const std::string& tag, const std::string& a, const std::string& b,
                                double farads, double startVolts) {
    const std::string key = Instance() + "/" + tag;
    Line(Device('C', tag) + " " + a + " " + b + " " + DeckNumber(farads) +
         " ic=" + DeckNumber(Start(key, startVolts)));
    m_deck.state.push_back({key, {{1, Voltage(a)}, {-1, Voltage(b)}}});
}

void CElementContext::Inductor(const std::string& tag, const std::string& a, const std::string& b,
                               double henries, double startAmps) {
    const std::string key = Instance() + "/" + tag;
    const std::string device = Device('L', tag);
    Line(device + " " + a + " " + b + " " + DeckNumber(henries) +
         " ic=" + DeckNumber(Start(key, startAmps)));
    m_deck.state.push_back({key, {{1, Current(device)}}});
}

void CElementContext::SharedLine(const std::string& key, std::string text) {
    for (const std::string& known : m_deck.sharedKeys)
        if (known == key) return;
    m_deck.sharedKeys.push_back(key);
    Line(std::move(text));
}

int CElementContext::Voltage(const std::string& node) {
    if (node == "0") return -1;
    const CSignal signal{CSignal::Kind::NodeVoltage, node};
    for (size_t i = 0; i < m_deck.quantities.size(); ++i)
        if (m_deck.quantities[i] == signal) return static_cast<int>(i);
    m_deck.quantities.push_back(signal);
    return static_cast<int>(m_deck.quantities.size() - 1);
}

int CElementContext::Current(const std::string& device) {
    const CSignal signal{CSignal::Kind::BranchCurrent, device};
    for (size_t i = 0; i < m_deck.quantities.size(); ++i)
        if (m_deck.quantities[i] == signal) return static_cast<int>(i);
    m_deck.quantities.push_back(signal);
    return static_cast<int>(m_deck.quantities.size() - 1);
}

void CElementContext::Fail(const std::string& message) {
    if (!m_problem) m_problem = message;
}

}  // namespace kestro::tarn
