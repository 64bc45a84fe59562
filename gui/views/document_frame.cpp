#include "gui/views/document_frame.h"

#include "gui/resources/button_images.h"
#include "gui/resources/command_ids.h"
#include "gui/views/main_frame.h"

namespace kestro {

CDocumentFrame::CDocumentFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ProgramIcon());
    Commands().Add(kIdFileClose, [this] { close(); });
}

CMainFrame* CDocumentFrame::MainFrame() const {
    return qobject_cast<CMainFrame*>(window());
}

}  // namespace kestro
