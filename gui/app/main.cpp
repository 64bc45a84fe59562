#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "gui/views/main_frame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("QUORVANT");
    QApplication::setApplicationName("KESTRO");

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption screenshot("screenshot", "Save a picture of the main window and quit.",
                                  "file.png");
    parser.addOption(screenshot);
    parser.process(app);

    kestro::CMainFrame frame;
    frame.show();
    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(300, &frame, [&frame, file] {
            frame.grab().save(file);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
