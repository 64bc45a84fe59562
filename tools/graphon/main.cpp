// graphon: the waveform viewer. Shows the result tables tarn writes, and takes the files
// to show from the editor over the viewer channel.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include "tools/graphon/graphon_window.h"
#include "tools/graphon/viewer_server.h"

using namespace kestro::graphon;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Graphon");
    QApplication::setApplicationVersion(KESTRO_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows the result tables of the simulation engine. With a viewer already running, "
        "the file is handed to it.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE", "a result file (.TXT) to show");
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    const QString file = files.isEmpty() ? QString() : files.first();

    const QString socket = CViewerServer::DefaultName();
    if (CViewerServer::HandToRunning(socket, file)) return 0;

    CGraphonWindow window;
    CViewerServer server(socket, [&window] { return window.windowTitle(); });
    QObject::connect(&server, &CViewerServer::OpenRequested, &window,
                     [&window](const QString& path) {
                         window.OpenFile(path);
                         window.Raise();
                     });
    QObject::connect(&server, &CViewerServer::RaiseRequested, &window, &CGraphonWindow::Raise);
    if (!server.Listen())
        qWarning("graphon: the viewer channel cannot listen: %s", qPrintable(server.ErrorText()));
    window.show();
    if (!file.isEmpty()) window.OpenFile(file);
    return app.exec();
}
