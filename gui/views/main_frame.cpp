#include "gui/views/main_frame.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>

namespace kestro {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Kestro");
    resize(1024, 720);
    CreateMenus();
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* exit = file->addAction("E&xit");
    exit->setObjectName("id57665");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu("&Help");
    QAction* about = help->addAction("&About KESTRO...");
    about->setObjectName("id57664");
    connect(about, &QAction::triggered, this, [this] {
        QMessageBox::about(this, "About Kestro",
                           "Kestro\nSchematic editor for power-electronics simulation");
    });
}

}  // namespace kestro
