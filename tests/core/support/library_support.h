#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/library/library_data.h"
#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/platform/file_stream.h"

namespace kestro::test {

// An element with one shape of every kind, two terminals and typed definitions.
inline std::unique_ptr<CLibElement> ElementWithEveryShape(const std::string& name,
                                                          const CLibraryFonts& fonts) {
    auto element = CLibElement::MakeNew(name);
    element->SetDescription("every shape of " + name);
    element->SetRect({-20, -10, 20, 10});
    element->AddShape(std::make_unique<CSHLine>(CPointF{-20, 0}, CPointF{-10, 0}, 2, 1));
    element->AddShape(std::make_unique<CSHEllipse>(CRectF{-5, -5, 5, 5}));
    element->AddShape(std::make_unique<CSHArc>(CRectF{-10, -5, 0, 5}, 3));
    element->AddShape(std::make_unique<CSHRRect>(CRectF{-8, -4, 8, 4}));
    element->AddShape(std::make_unique<CSHPoly>(std::vector<CPointF>{{0, 0}, {5, 5}, {0, 5}}));
    auto text = std::make_unique<CSHText>(fonts[0]);
    text->SetText("T1");
    text->SetLibraryFont(2, fonts[2]);
    text->SetAnchor({0, -8});
    text->SetRotation(1);
    text->SetExtent({-6, -3, 6, 3});
    element->AddShape(std::move(text));
    auto free = std::make_unique<CSHTextAdvance>(CLogicalFont{"Arial", -14, 700, true});
    free->SetText("note");
    free->SetColorIndex(3);
    free->SetAnchor({4, 9});
    free->SetRotation(3);
    free->SetUsePlacementColor(1);
    free->SetLastWidth(17);
    free->SetExtent({-10, -4, 10, 4});
    element->AddShape(std::move(free));
    element->GetOutputPoints() = {{-20, 0}, {20, 0}};
    element->AddDefinition(CNetLine("R", "Ohm", CGenType::MakeFloat(4700, 3), 0x700));
    element->AddDefinition(CNetLine("On", "", CGenType::MakeBoolean(true), 0x100));
    element->AddDefinition(CNetLine("N", "", CGenType::MakeInteger(-3), 0));
    element->AddDefinition(CNetLine("Model", "", CGenType::MakeString("x y"), 0x1000));
    return element;
}

// A library of `count` simple elements named E0, E1, ... with old numbers 100, 110, ...
inline void FillLibrary(CLibraryData& library, int count) {
    std::vector<uint16_t> oldNumbers;
    for (int i = 0; i < count; ++i) {
        auto element = CLibElement::MakeNew("E" + std::to_string(i));
        element->SetDescription("element " + std::to_string(i));
        element->GetOutputPoints() = {{-20, 0}, {20, 0}};
        element->AddShape(std::make_unique<CSHLine>(CPointF{-20, 0}, CPointF{20, float(i)}));
        library.AppendElement(std::move(element));
        oldNumbers.push_back(static_cast<uint16_t>(100 + 10 * i));
    }
    library.SetOldNumbers(oldNumbers);
}

inline std::vector<uint8_t> FileBytes(const std::string& path) {
    const std::string text = ReadWholeFile(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace kestro::test
