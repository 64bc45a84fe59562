#include "gui/attributes/control_model.h"

namespace kestro {

void CaptureModel(const QWidget& control, CControlModel& model) {
    model.size = control.size();
    model.font = control.font();
    model.captured = true;
}

void PlaceLikeModel(QWidget& control, const QRect& rect, int id, const CControlModel& model) {
    if (id != 0) control.setObjectName(QStringLiteral("id%1").arg(id));
    if (model.captured) control.setFont(model.font);
    QRect place = rect;
    if (place.width() <= 0 || place.height() <= 0) place.setSize(model.size);
    control.setGeometry(place);
    control.show();
}

CExStatic* CExStatic::Create(const QString& text, const QRect& rect, QWidget* parent, int id,
                             const CControlModel& model) {
    auto* label = new CExStatic(text, parent);
    PlaceLikeModel(*label, rect, id, model);
    return label;
}

CExButton* CExButton::Create(const QString& text, const QRect& rect, QWidget* parent, int id,
                             const CControlModel& model) {
    auto* box = new CExButton(text, parent);
    PlaceLikeModel(*box, rect, id, model);
    return box;
}

}  // namespace kestro
