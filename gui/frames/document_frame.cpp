#include "gui/frames/document_frame.h"

#include "gui/commands/command_ids.h"
#include "gui/frames/main_frame.h"
#include "gui/resources/button_images.h"

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
