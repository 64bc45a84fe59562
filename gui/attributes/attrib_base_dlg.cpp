#include "gui/attributes/attrib_base_dlg.h"

#include <QKeyEvent>

#include "gui/attributes/kestro_attributes.h"

namespace kestro {

CAttribBaseDlg::CAttribBaseDlg(CKestroAttributes& window, int templateId)
    : QWidget(&window), m_window(window) {
    setObjectName(QStringLiteral("id%1").arg(templateId));
    hide();
}

QSize CAttribBaseDlg::PageSize() const {
    return sizeHint();
}

void CAttribBaseDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ApplyPage();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CAttribBaseDlg::enterEvent(QEnterEvent* event) {
    m_window.HideTrackingImage();
    QWidget::enterEvent(event);
}

}  // namespace kestro
