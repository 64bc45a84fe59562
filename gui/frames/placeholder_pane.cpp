#include "gui/frames/placeholder_pane.h"

#include <QPainter>

namespace kestro {

CPlaceholderPane::CPlaceholderPane(QString caption, CCommandTarget* next, QWidget* parent)
    : QWidget(parent), m_caption(std::move(caption)), m_next(next) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

void CPlaceholderPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawText(rect(), Qt::AlignCenter, m_caption);
    if (hasFocus()) {
        p.setPen(QPen(QColor(120, 150, 200), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace kestro
