#pragma once

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QSize>

namespace kestro {

// The look of one kind of control taken from a model control of a page (its size and
// font), so that controls made at run time match the page they go on. The element page
// fills one per kind (label, check box, edit, list) when it is made.
struct CControlModel {
    QSize size;
    QFont font;
    bool captured = false;
};

struct CControlModels {
    CControlModel label;
    CControlModel checkBox;
    CControlModel edit;
    CControlModel comboBox;
};

// Fills `model` from an existing control.
void CaptureModel(const QWidget& control, CControlModel& model);
// Gives a control made at run time its place, object name "id<id>" and the model's
// font; a rectangle without width or height takes the model's size.
void PlaceLikeModel(QWidget& control, const QRect& rect, int id, const CControlModel& model);

// A label of the attribute pages.
class CExStatic : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    static CExStatic* Create(const QString& text, const QRect& rect, QWidget* parent, int id,
                             const CControlModel& model);
};

// A check box of the attribute pages (the "Display" boxes have no caption).
class CExButton : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    static CExButton* Create(const QString& text, const QRect& rect, QWidget* parent, int id,
                             const CControlModel& model);
};

}  // namespace kestro
