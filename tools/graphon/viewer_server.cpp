#include "tools/graphon/viewer_server.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#include "core/app/simulation_launch.h"
#include "core/app/viewer_protocol.h"

namespace kestro::graphon {

CViewerServer::CViewerServer(QString name, std::function<QString()> title, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_title(std::move(title)) {
    connect(&m_server, &QLocalServer::newConnection, this, &CViewerServer::OnConnection);
}

QString CViewerServer::DefaultName() {
    const QString given = qEnvironmentVariable("KESTRO_VIEWER_SOCKET");
    if (!given.isEmpty()) return given;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool usable = !runtime.isEmpty() && QFileInfo(runtime).isDir();
    return QString::fromStdString(
        ViewerSocketName(usable ? runtime.toStdString() : std::string(), ::getuid()));
}

bool CViewerServer::Listen() {
    QLocalServer::removeServer(m_name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_name);
}

bool CViewerServer::HandToRunning(const QString& name, const QString& file) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(500)) return false;
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() <= qsizetype(kViewerLineLimit)) {
        if (!socket.waitForReadyRead(2000)) return false;
        reply += socket.readAll();
    }
    const auto title = ParseViewerTitleLine(reply.left(reply.indexOf('\n') + 1).toStdString());
    if (!title || !IsViewerTitle(*title)) return false;
    std::string request;
    if (!file.isEmpty())
        request += ViewerOpenLine(QFileInfo(file).absoluteFilePath().toStdString());
    request += ViewerRaiseLine();
    socket.write(request.data(), qint64(request.size()));
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return true;
}

void CViewerServer::OnConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const std::string title = ViewerTitleLine(m_title().toStdString());
        socket->write(title.data(), qint64(title.size()));
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                QByteArray line = socket->readLine();
                line.chop(1);
                if (line.startsWith("OPEN ")) {
                    const auto file = UnescapeViewerValue(line.mid(5).toStdString());
                    if (file) emit OpenRequested(QString::fromStdString(*file));
                } else if (line == "RAISE") {
                    emit RaiseRequested();
                }
            }
            // A peer that sends an endless line is dropped.
            if (socket->bytesAvailable() > qint64(kViewerLineLimit)) socket->abort();
        });
    }
}

}  // namespace kestro::graphon
