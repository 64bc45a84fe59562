#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>

namespace kestro {

// A waveform viewer stand-in: names itself with `title` and records what it is sent.
class CStandInViewer {
public:
    CStandInViewer(QString name, QByteArray title) : m_name(std::move(name)), m_title(title) {
        m_thread.reset(QThread::create([this] { Serve(); }));
        m_thread->start();
        QTRY_VERIFY_WITH_TIMEOUT(m_listening.load(), 5000);
    }
    ~CStandInViewer() {
        m_thread->quit();
        m_thread->wait();
    }
    QByteArray Received() const {
        QMutexLocker lock(&m_mutex);
        return m_received;
    }
    int Connections() const { return m_connections.load(); }

private:
    void Serve() {
        QLocalServer::removeServer(m_name);
        QLocalServer server;
        if (!server.listen(m_name)) return;
        QObject::connect(&server, &QLocalServer::newConnection, [&] {
            while (QLocalSocket* s = server.nextPendingConnection()) {
                ++m_connections;
                QObject::connect(s, &QLocalSocket::readyRead, [this, s] {
                    QMutexLocker lock(&m_mutex);
                    m_received += s->readAll();
                });
                s->write("TITLE " + m_title + "\n");
                s->flush();
            }
        });
        m_listening = true;
        QEventLoop loop;
        loop.exec();
    }

    QString m_name;
    QByteArray m_title;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_listening{false};
    std::atomic<int> m_connections{0};
    mutable QMutex m_mutex;
    QByteArray m_received;
};

}  // namespace kestro
