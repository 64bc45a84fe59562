#pragma once

#include "core/library/sh_box.h"

namespace kestro {

// The ellipse inscribed in its rectangle; filled with the background brush.
class CSHEllipse : public CSHBox {
public:
    using CSHBox::CSHBox;

    uint16_t GetTypeCode() const override { return kEllipse; }
    void Draw(CCanvas& canvas, const CPlacement& placement) const override;
    std::unique_ptr<CShape> Clone() const override { return std::make_unique<CSHEllipse>(*this); }
};

}  // namespace kestro
