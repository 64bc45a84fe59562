#pragma once

#include <QComboBox>
#include <vector>

#include "core/platform/palette.h"

namespace kestro {

// A drop-down list of the drawing colours: each item is a swatch of its colour (its data
// is its index in the table), 20 pixels high; the selected one is framed in the inverse
// colour. Items also carry the colour's name for screen readers and typing.
class CColorComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 20;

    explicit CColorComboBox(QWidget* parent = nullptr);

    // Keeps the table and adds one item per entry.
    void SetColors(const CPaletteColor* table, int count);
    QColor ItemColor(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<CPaletteColor> m_colors;
};

// The swatch colour and its inverse (each channel 255 minus it).
QColor SwatchColor(const CPaletteColor& color);
QColor InverseColor(const CPaletteColor& color);

}  // namespace kestro
