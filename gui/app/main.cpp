#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "gui/app/kestro_app.h"
#include "gui/views/main_frame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("QUORVANT");
    QApplication::setApplicationName("KESTRO");
    QApplication::setApplicationVersion(KESTRO_VERSION_TEXT);

    QCommandLineParser parser;
    parser.setApplicationDescription("Schematic editor for power-electronics simulation.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot("screenshot", "Save a picture of the main window and quit.",
                                  "file.png");
    parser.addOption(screenshot);
    parser.addPositionalArgument("files", "Schematic files to open.", "[files...]");
    parser.process(app);

    kestro::CKestroApp kestro;
    if (!kestro.Start(parser.positionalArguments())) return 1;
    if (parser.isSet(screenshot)) {
        // A picture only: the program quits without the exit work, so no setting is written.
        const QString file = parser.value(screenshot);
        QTimer::singleShot(300, &app, [&kestro, file] {
            const bool saved = kestro.MainFrame()->grab().save(file);
            QApplication::exit(saved ? 0 : 3);
        });
    }
    return QApplication::exec();
}
