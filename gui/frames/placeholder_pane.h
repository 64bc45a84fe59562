#pragma once

#include <QString>
#include <QWidget>

#include "gui/commands/command_map.h"

namespace kestro {

// Stands in a child window where a document view will be: a white page with a caption.
// It routes commands on to `next` (the document, when there is one).
class CPlaceholderPane : public QWidget, public CCommandTarget {
    Q_OBJECT
public:
    CPlaceholderPane(QString caption, CCommandTarget* next, QWidget* parent = nullptr);

    CCommandTarget* NextCommandTarget() const override { return m_next; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    CCommandTarget* m_next;
};

}  // namespace kestro
