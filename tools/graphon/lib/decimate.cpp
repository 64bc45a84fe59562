#include "tools/graphon/lib/decimate.h"

#include <algorithm>

namespace kestro::graphon {

std::vector<size_t> ColumnStarts(std::span<const double> time, double t0, double t1, int columns) {
    std::vector<size_t> starts(size_t(std::max(columns, 0)) + 1);
    const double width = columns > 0 ? (t1 - t0) / columns : 0;
    auto from = time.begin();
    for (size_t c = 0; c < starts.size(); ++c) {
        const double edge = t0 + width * double(c);
        from = std::lower_bound(from, time.end(), edge);
        starts[c] = size_t(from - time.begin());
    }
    return starts;
}

CBlockRanges::CBlockRanges(std::span<const double> values) {
    const size_t blocks = (values.size() + kBlock - 1) / kBlock;
    m_low.resize(blocks);
    m_high.resize(blocks);
    for (size_t b = 0; b < blocks; ++b) {
        const size_t begin = b * kBlock, end = std::min(begin + kBlock, values.size());
        const auto [low, high] =
            std::minmax_element(values.begin() + long(begin), values.begin() + long(end));
        m_low[b] = *low;
        m_high[b] = *high;
    }
}

void CBlockRanges::Range(std::span<const double> values, size_t begin, size_t end, double& low,
                         double& high) const {
    low = high = values[begin];
    size_t i = begin;
    const size_t blocks = m_low.size();
    while (i < end) {
        const size_t b = i / kBlock;
        if (i % kBlock == 0 && i + kBlock <= end && b < blocks) {
            low = std::min(low, m_low[b]);
            high = std::max(high, m_high[b]);
            i += kBlock;
        } else {
            low = std::min(low, values[i]);
            high = std::max(high, values[i]);
            ++i;
        }
    }
}

void ColumnRanges(std::span<const double> values, const std::vector<size_t>& starts,
                  std::vector<CColumnRange>& ranges, const CBlockRanges* blocks) {
    const size_t columns = starts.empty() ? 0 : starts.size() - 1;
    ranges.assign(columns, {});
    for (size_t c = 0; c < columns; ++c) {
        const size_t begin = std::min(starts[c], values.size());
        const size_t end = std::min(starts[c + 1], values.size());
        if (begin >= end) continue;
        if (blocks) {
            double low = 0, high = 0;
            blocks->Range(values, begin, end, low, high);
            ranges[c] = {low, high, false};
            continue;
        }
        double low = values[begin], high = values[begin];
        for (size_t i = begin + 1; i < end; ++i) {
            low = std::min(low, values[i]);
            high = std::max(high, values[i]);
        }
        ranges[c] = {low, high, false};
    }
}

double ValueAt(std::span<const double> time, std::span<const double> values, double t) {
    const size_t n = std::min(time.size(), values.size());
    if (n == 0) return 0;
    if (t <= time[0]) return values[0];
    if (t >= time[n - 1]) return values[n - 1];
    const size_t i =
        size_t(std::upper_bound(time.begin(), time.begin() + long(n), t) - time.begin());
    const double t0 = time[i - 1], t1 = time[i];
    if (t1 <= t0) return values[i];
    return values[i - 1] + (values[i] - values[i - 1]) * (t - t0) / (t1 - t0);
}

}  // namespace kestro::graphon
