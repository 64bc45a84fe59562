#include <QApplication>

#include "gui/views/main_frame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("QUORVANT");
    QApplication::setApplicationName("KESTRO");
    kestro::CMainFrame frame;
    frame.show();
    return QApplication::exec();
}
