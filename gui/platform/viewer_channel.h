#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "core/app/simulation_launch.h"

class QLocalSocket;

namespace kestro {

// The channel to the waveform viewer over a per-user local socket (docs/viewer-channel.md).
class CLocalViewerChannel : public QObject, public CViewerChannel {
    Q_OBJECT
public:
    explicit CLocalViewerChannel(QString socketName = DefaultSocketName(),
                                 QObject* parent = nullptr);
    ~CLocalViewerChannel() override;

    // $KESTRO_VIEWER_SOCKET when set; else in $XDG_RUNTIME_DIR when that folder exists,
    // else in the temporary folder.
    static QString DefaultSocketName();
    const QString& SocketName() const { return m_name; }

    std::optional<std::string> ConnectToRunning() override;
    void HandToRunning(const std::string& resultFile) override;
    void Disconnect() override;
    void HandToStarted(const std::string& resultFile, int timeoutMs) override;

    bool HandOffPending() const { return m_pollTimer.isActive(); }

    // How long a viewer may take to say its title.
    static constexpr int kReplyTimeoutMs = 2000;
    static constexpr int kPollIntervalMs = 100;

signals:
    // A hand-off to a started viewer has ended: delivered, or given up after the timeout.
    void HandOffFinished(bool delivered);

private:
    void Poll();
    void OnAttemptReadable();
    void EndAttempt();
    void FinishHandOff(bool delivered);

    QString m_name;
    std::unique_ptr<QLocalSocket> m_socket;  // the connection ConnectToRunning made
    // A hand-off to a started viewer, tried again every poll interval.
    QTimer m_pollTimer;
    QElapsedTimer m_handOffClock;
    int m_handOffTimeoutMs = 0;
    std::string m_handOffFile;
    std::unique_ptr<QLocalSocket> m_attempt;
    QElapsedTimer m_attemptClock;
    QByteArray m_attemptReply;
};

}  // namespace kestro
