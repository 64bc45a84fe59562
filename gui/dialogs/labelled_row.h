#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace kestro {

// A row of a form: the label (beside the field, with the same parent; its mnemonic and
// text name the field for the keyboard and screen readers) in the first column, the field
// in the second.
inline void AddLabelledRow(QGridLayout& grid, int row, const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1);
}

}  // namespace kestro
