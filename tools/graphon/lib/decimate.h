#pragma once

// Reduces a trace to what each pixel column of a plot shows: its smallest and largest value
// there. A million points become a few thousand, so drawing stays fast at any zoom.
#include <cstddef>
#include <span>
#include <vector>

namespace kestro::graphon {

// The first sample of each pixel column for `columns` columns spanning [t0, t1) of the
// (rising) time axis, plus one past the last: columns + 1 indices.
std::vector<size_t> ColumnStarts(std::span<const double> time, double t0, double t1, int columns);

struct CColumnRange {
    double low = 0;
    double high = 0;
    bool empty = true;
};

// The smallest and largest value of each block of kBlock samples of a trace, so a pixel
// column spanning thousands of samples is scanned a block at a time.
class CBlockRanges {
public:
    static constexpr size_t kBlock = 64;
    CBlockRanges() = default;
    explicit CBlockRanges(std::span<const double> values);
    // Smallest and largest of values[begin, end), read from blocks where they lie whole.
    void Range(std::span<const double> values, size_t begin, size_t end, double& low,
               double& high) const;

private:
    std::vector<double> m_low, m_high;
};

// The smallest and largest value in each column given by `starts`; `blocks`, when given,
// must have been made from the same values.
void ColumnRanges(std::span<const double> values, const std::vector<size_t>& starts,
                  std::vector<CColumnRange>& ranges, const CBlockRanges* blocks = nullptr);

// The value at time t by linear interpolation (held beyond the ends); 0 for no samples.
double ValueAt(std::span<const double> time, std::span<const double> values, double t);

}  // namespace kestro::graphon
