#include "gui/frames/lib_child_frame.h"

#include "gui/frames/placeholder_pane.h"

namespace kestro {

CLibChildFrame::CLibChildFrame(QWidget* view, QWidget* parent) : CDocumentFrame(parent) {
    setWidget(view ? view : new CPlaceholderPane(QStringLiteral("Library element"), nullptr));
    setWindowTitle(QStringLiteral("Library : "));
}

}  // namespace kestro
