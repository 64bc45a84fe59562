#include "gui/attributes/color_combo_box.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace kestro {

namespace {

const char* const kColorNames[] = {"Black",  "Navy",   "Blue",  "Green",
                                   "Maroon", "Purple", "Olive", "Red"};

// Paints each item as a swatch; the selected one gets the inverse frame.
class CSwatchDelegate : public QStyledItemDelegate {
public:
    explicit CSwatchDelegate(CColorComboBox& box) : QStyledItemDelegate(&box), m_box(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect.adjusted(1, 1, -1, -1);
        const QColor color = m_box.ItemColor(index.row());
        painter->fillRect(r, color);
        if (option.state & QStyle::State_Selected) {
            painter->setPen(
                QPen(QColor(255 - color.red(), 255 - color.green(), 255 - color.blue()), 2));
            painter->drawRect(r.adjusted(1, 1, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), CColorComboBox::kItemHeight};
    }

private:
    CColorComboBox& m_box;
};

}  // namespace

QColor SwatchColor(const CPaletteColor& color) {
    return QColor(color.red, color.green, color.blue);
}

QColor InverseColor(const CPaletteColor& color) {
    return QColor(255 - color.red, 255 - color.green, 255 - color.blue);
}

CColorComboBox::CColorComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new CSwatchDelegate(*this));
}

void CColorComboBox::SetColors(const CPaletteColor* table, int count) {
    m_colors.assign(table, table + count);
    clear();
    for (int i = 0; i < count; ++i) {
        const QString name = i < int(std::size(kColorNames)) ? QString::fromLatin1(kColorNames[i])
                                                             : QString::number(i);
        addItem(name, i);
        setItemData(i, name, Qt::ToolTipRole);
    }
}

QColor CColorComboBox::ItemColor(int index) const {
    if (index < 0 || index >= int(m_colors.size())) return palette().color(QPalette::Base);
    return SwatchColor(m_colors[size_t(index)]);
}

void CColorComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field.adjusted(1, 1, -1, -1), ItemColor(currentIndex()));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(field.adjusted(0, 0, -1, -1));
    }
}

}  // namespace kestro
