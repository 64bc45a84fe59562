#pragma once

// The viewer's end of the viewer channel (docs/viewer-channel.md): a local socket on which
// it names its window title and takes OPEN and RAISE requests.
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace kestro::graphon {

class CViewerServer : public QObject {
    Q_OBJECT
public:
    // `title` gives the window title to tell each new connection.
    CViewerServer(QString name, std::function<QString()> title, QObject* parent = nullptr);

    // The socket's name: $KESTRO_VIEWER_SOCKET when set, else the editor's default.
    static QString DefaultName();

    // Listens, removing a socket file left by a viewer that crashed.
    bool Listen();
    QString ErrorText() const { return m_server.errorString(); }

    // When a live viewer already answers on the socket: hands it the file (when not
    // empty), asks it to come forward and returns true.
    static bool HandToRunning(const QString& name, const QString& file);

signals:
    void OpenRequested(const QString& file);
    void RaiseRequested();

private:
    void OnConnection();

    QString m_name;
    std::function<QString()> m_title;
    QLocalServer m_server;
};

}  // namespace kestro::graphon
