#pragma once

// Number texts of the viewer: axis ticks, cursor readouts and exported data, the same in
// every locale.
#include <span>
#include <string>
#include <vector>

#include "tools/graphon/lib/result_file.h"

namespace kestro::graphon {

// A tick label: as many decimals as the tick step needs (0.25, 1e-05, 120).
std::string FormatTick(double value, double step);
// A readout: six significant digits.
std::string FormatValue(double value);

// The shown traces between t0 and t1 as comma-separated values with a header line.
std::string CsvText(const CResultData& data, const std::vector<size_t>& traces, double t0,
                    double t1);

}  // namespace kestro::graphon
