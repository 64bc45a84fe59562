#include "gui/platform/viewer_channel.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#include "core/app/viewer_protocol.h"

namespace kestro {

namespace {

// Reads up to the first line feed; nothing when the peer says no whole line in time.
std::optional<std::string> ReadLine(QLocalSocket& socket, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QByteArray line;
    while (!line.contains('\n')) {
        if (line.size() > static_cast<qsizetype>(kViewerLineLimit)) return std::nullopt;
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0 || !socket.waitForReadyRead(left)) return std::nullopt;
        line += socket.read(kViewerLineLimit + 1);
    }
    return line.left(line.indexOf('\n') + 1).toStdString();
}

void Send(QLocalSocket& socket, const std::string& text) {
    socket.write(text.data(), static_cast<qint64>(text.size()));
}

void Close(std::unique_ptr<QLocalSocket>& socket) {
    if (!socket) return;
    socket->waitForBytesWritten(1000);
    socket->disconnectFromServer();
    socket.reset();
}

}  // namespace

CLocalViewerChannel::CLocalViewerChannel(QString socketName, QObject* parent)
    : QObject(parent), m_name(std::move(socketName)) {
    m_pollTimer.setInterval(kPollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &CLocalViewerChannel::Poll);
}

CLocalViewerChannel::~CLocalViewerChannel() {
    EndAttempt();
}

QString CLocalViewerChannel::DefaultSocketName() {
    // The viewer honours the same variable, so a test's editor and viewer meet.
    const QString given = qEnvironmentVariable("KESTRO_VIEWER_SOCKET");
    if (!given.isEmpty()) return given;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool usable = !runtime.isEmpty() && QFileInfo(runtime).isDir();
    return QString::fromStdString(
        ViewerSocketName(usable ? runtime.toStdString() : std::string(), ::getuid()));
}

std::optional<std::string> CLocalViewerChannel::ConnectToRunning() {
    m_socket = std::make_unique<QLocalSocket>();
    m_socket->connectToServer(m_name);
    if (!m_socket->waitForConnected(kReplyTimeoutMs)) {
        m_socket.reset();
        return std::nullopt;
    }
    const std::optional<std::string> line = ReadLine(*m_socket, kReplyTimeoutMs);
    const std::optional<std::string> title = line ? ParseViewerTitleLine(*line) : std::nullopt;
    if (!title) m_socket.reset();
    return title;
}

void CLocalViewerChannel::HandToRunning(const std::string& resultFile) {
    if (!m_socket) return;
    if (!resultFile.empty()) Send(*m_socket, ViewerOpenLine(resultFile));
    Send(*m_socket, ViewerRaiseLine());
    Close(m_socket);
}

void CLocalViewerChannel::Disconnect() {
    if (m_socket) m_socket->abort();
    m_socket.reset();
}

void CLocalViewerChannel::HandToStarted(const std::string& resultFile, int timeoutMs) {
    EndAttempt();
    m_handOffFile = resultFile;
    m_handOffTimeoutMs = timeoutMs;
    m_handOffClock.start();
    m_pollTimer.start();
    Poll();
}

void CLocalViewerChannel::Poll() {
    if (m_handOffClock.elapsed() > m_handOffTimeoutMs) {
        FinishHandOff(false);
        return;
    }
    if (m_attempt) {
        // A peer that accepts but never names itself is given up and tried again.
        if (m_attemptClock.elapsed() > kReplyTimeoutMs) EndAttempt();
        return;
    }
    m_attempt = std::make_unique<QLocalSocket>();
    m_attemptReply.clear();
    m_attemptClock.start();
    connect(m_attempt.get(), &QLocalSocket::readyRead, this,
            &CLocalViewerChannel::OnAttemptReadable);
    connect(m_attempt.get(), &QLocalSocket::errorOccurred, this, [this] { EndAttempt(); });
    m_attempt->connectToServer(m_name);
}

void CLocalViewerChannel::OnAttemptReadable() {
    m_attemptReply += m_attempt->readAll();
    if (!m_attemptReply.contains('\n')) {
        if (m_attemptReply.size() > static_cast<qsizetype>(kViewerLineLimit)) EndAttempt();
        return;
    }
    const QByteArray line = m_attemptReply.left(m_attemptReply.indexOf('\n') + 1);
    const std::optional<std::string> title = ParseViewerTitleLine(line.toStdString());
    if (!title || !IsViewerTitle(*title)) {
        EndAttempt();
        return;
    }
    Send(*m_attempt, ViewerOpenLine(m_handOffFile));
    m_attempt->flush();
    m_attempt->disconnectFromServer();
    FinishHandOff(true);
}

void CLocalViewerChannel::EndAttempt() {
    if (!m_attempt) return;
    m_attempt->disconnect(this);
    m_attempt->abort();
    // Called from the socket's own signals: it must outlive this call.
    m_attempt.release()->deleteLater();
}

void CLocalViewerChannel::FinishHandOff(bool delivered) {
    m_pollTimer.stop();
    if (delivered) {
        // Let the socket finish sending, then go.
        QLocalSocket* socket = m_attempt.release();
        socket->disconnect(this);
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->state() == QLocalSocket::UnconnectedState) socket->deleteLater();
    } else {
        EndAttempt();
    }
    emit HandOffFinished(delivered);
}

}  // namespace kestro
