#include "config/ui/TPBJustOne.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

TPBJustOne::TPBJustOne(const QString &programName, QObject *parent) : QObject(parent)
{
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    m_name = programName + QLatin1Char('-') + user;
}

TPBJustOne::~TPBJustOne() = default;

bool TPBJustOne::anotherCopyRuns()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

void TPBJustOne::listen(QWidget *window)
{
    m_window = window;
    m_server = new QLocalServer(this);
    // A socket left by a copy that crashed would keep every later copy from starting.
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (m_window) {
                if (m_window->isMinimized())
                    m_window->showNormal();
                m_window->raise();
                m_window->activateWindow();
            }
        }
    });
}
