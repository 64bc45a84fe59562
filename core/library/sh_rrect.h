#pragma once

#include "core/library/sh_box.h"

namespace kestro {

// A rectangle; filled with the background brush.
class CSHRRect : public CSHBox {
public:
    using CSHBox::CSHBox;

    uint16_t GetTypeCode() const override { return kRect; }
    void Draw(CCanvas& canvas, const CPlacement& placement) const override;
    std::unique_ptr<CShape> Clone() const override { return std::make_unique<CSHRRect>(*this); }
};

}  // namespace kestro
