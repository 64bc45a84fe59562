#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstring>
#include <iostream>

#include "core/platform/console_prompts.h"
#include "gui/app/kestro_app.h"
#include "gui/frames/document_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/views/kestro_view.h"

namespace {

void SetNames() {
    QCoreApplication::setOrganizationName("QUORVANT");
    QCoreApplication::setApplicationName("KESTRO");
    QCoreApplication::setApplicationVersion(KESTRO_VERSION_TEXT);
    // Lets the desktop match the windows with the launcher entry and its icon.
    QGuiApplication::setDesktopFileName("com.quorvant.kestro");
}

// A picture is taken with nobody to answer: messages go to standard error and questions
// are answered No, so that nothing waits and nothing is saved.
class CUnattendedPrompts : public kestro::CConsolePrompts {
public:
    CUnattendedPrompts() : CConsolePrompts(std::cerr, kestro::Answer::No) {}
    void ShowMessage(const std::string& text, kestro::MessageIcon icon) override {
        CConsolePrompts::ShowMessage("kestro: " + text, icon);
    }
    kestro::Answer Ask(const std::string& text, kestro::MessageButtons buttons,
                       kestro::MessageIcon icon) override {
        return CConsolePrompts::Ask("kestro: " + text, buttons, icon);
    }
};

QCommandLineOption ScreenshotOption() {
    return {"screenshot",
            "Save a picture of the main window and quit; messages go to standard error.",
            "file.png"};
}

QCommandLineOption ZoomOption() {
    return {"zoom",
            "With --screenshot: the active schematic window fills the frame, shown at this "
            "zoom (pixels per sheet unit) or fitted to its drawing with 'fit'.",
            "zoom"};
}

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription("Schematic editor for power-electronics simulation.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(ScreenshotOption());
    parser.addOption(ZoomOption());
    parser.addPositionalArgument("files", "Schematic files to open.", "[files...]");
}

// --help and --version answer without a display.
bool AsksForTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

// The active schematic window maximised at the zoom asked for.
void ApplyZoom(kestro::CKestroApp& kestro, const QString& zoom) {
    kestro::CDocumentFrame* frame = kestro.MainFrame()->ActiveDocumentFrame();
    if (!frame) return;
    auto* view = qobject_cast<kestro::CKestroView*>(frame->ActiveView());
    if (!view) return;
    if (zoom == QLatin1String("fit")) {
        view->FitToPage();
        return;
    }
    bool ok = false;
    const double value = zoom.toDouble(&ok);  // QString numbers ignore the locale
    if (ok && value > 0) view->SetZoom(value);
}

}  // namespace

int main(int argc, char** argv) {
    if (AsksForTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        SetNames();
        QCommandLineParser parser;
        Describe(parser);
        parser.process(core);  // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    SetNames();
    QCommandLineParser parser;
    Describe(parser);
    parser.process(app);
    const QCommandLineOption screenshot = ScreenshotOption();

    kestro::CKestroAppSetup setup;
    if (parser.isSet(screenshot)) setup.prompts = std::make_unique<CUnattendedPrompts>();
    kestro::CKestroApp kestro(std::move(setup));
    if (!kestro.Start(parser.positionalArguments())) return 1;
    if (parser.isSet(screenshot)) {
        // A picture only: the program quits without the exit work, so no setting is written.
        const QString file = parser.value(screenshot);
        const bool zoom = parser.isSet(ZoomOption());
        if (zoom)
            if (kestro::CDocumentFrame* frame = kestro.MainFrame()->ActiveDocumentFrame())
                frame->showMaximized();
        // The zoom once the maximised window has its size, the picture once it is painted.
        QTimer::singleShot(300, &app, [&kestro, &parser, zoom] {
            if (zoom) ApplyZoom(kestro, parser.value(ZoomOption()));
        });
        QTimer::singleShot(600, &app, [&kestro, file] {
            const bool saved = kestro.MainFrame()->grab().save(file);
            QApplication::exit(saved ? 0 : 3);
        });
    }
    return QApplication::exec();
}
