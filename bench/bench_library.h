#pragma once

// The library of the benchmarks, made in memory: 0 GND (ground, one pin at its top),
// 1 R (pins at (-20, 0) and (20, 0), a resistor zigzag of three lines, value R = 1000
// without a text link), and the port with its output point (20, 0).
#include <memory>

#include "core/library/library_data.h"
#include "core/library/sh_line.h"

namespace kestro::bench {

inline constexpr uint16_t kGround = 0, kResistor = 1;

inline void FillBenchLibrary(CLibraryData& library) {
    library.New("/nonexistent/KESTRO.LIB");
    auto ground = CLibElement::MakeNew("GND");
    ground->SetFlags(CLibElement::kGround);
    ground->SetRect({-10, 0, 10, 20});
    ground->GetOutputPoints() = {{0, 0}};
    library.AppendElement(std::move(ground));
    auto resistor = CLibElement::MakeNew("R");
    resistor->GetDefinition(0).SetValue(CGenType::MakeString("R"));
    resistor->SetRect({-20, -10, 20, 10});
    resistor->GetOutputPoints() = {{-20, 0}, {20, 0}};
    resistor->AddShape(std::make_unique<CSHLine>(CPointF{-20, 0}, CPointF{-10, 0}));
    resistor->AddShape(std::make_unique<CSHLine>(CPointF{10, 0}, CPointF{20, 0}));
    resistor->AddShape(std::make_unique<CSHLine>(CPointF{-10, -5}, CPointF{10, 5}));
    resistor->AddDefinition(CNetLine("R", "Ohm", CGenType::MakeFloat(1000), 0x400));
    library.AppendElement(std::move(resistor));
    library.GetPortElement().SetRect({-20, -10, 20, 10});
    library.GetPortElement().GetOutputPoints() = {{20, 0}};
}

}  // namespace kestro::bench
