#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstring>

#include "gui/app/kestro_app.h"
#include "gui/views/main_frame.h"

namespace {

void SetNames() {
    QCoreApplication::setOrganizationName("QUORVANT");
    QCoreApplication::setApplicationName("KESTRO");
    QCoreApplication::setApplicationVersion(KESTRO_VERSION_TEXT);
}

void Describe(QCommandLineParser& parser, const QCommandLineOption& screenshot) {
    parser.setApplicationDescription("Schematic editor for power-electronics simulation.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(screenshot);
    parser.addPositionalArgument("files", "Schematic files to open.", "[files...]");
}

// --help and --version answer without a display.
bool AsksForTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const QCommandLineOption screenshot("screenshot", "Save a picture of the main window and quit.",
                                        "file.png");
    if (AsksForTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        SetNames();
        QCommandLineParser parser;
        Describe(parser, screenshot);
        parser.process(core);  // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    SetNames();
    QCommandLineParser parser;
    Describe(parser, screenshot);
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
