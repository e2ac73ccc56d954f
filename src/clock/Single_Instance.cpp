#include "clock/Single_Instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

namespace {

constexpr int Answer_Timeout_ms = 1000;

QByteArray Request_Line(TClock_Request request)
{
    return request == TClock_Request::Say_Now ? "say-now\n" : "raise\n";
}

QString Absolute_Settings_Path(const QString& settings_path)
{
    const QFileInfo file(settings_path);
    // The file itself may not exist yet, so its directory is what links resolve through.
    const QString directory = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString canonical = file.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    return QDir::cleanPath((directory.isEmpty() ? file.absolutePath() : directory) + '/' + file.fileName());
}

THand_Over Hand_To_Running_Clock(const QString& socket_name, TClock_Request request)
{
    QLocalSocket socket;
    socket.connectToServer(socket_name);
    if (!socket.waitForConnected(Answer_Timeout_ms))
        return socket.error() == QLocalSocket::SocketTimeoutError ? THand_Over::No_Answer : THand_Over::No_Clock;
    socket.write(Request_Line(request));
    if (!socket.waitForBytesWritten(Answer_Timeout_ms))
        return THand_Over::No_Answer;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(Answer_Timeout_ms))
            return THand_Over::No_Answer;
    return socket.readLine() == "ok\n" ? THand_Over::Taken : THand_Over::No_Answer;
}

}  // namespace

QString Clock_Socket_Name(const QString& settings_path)
{
    // The home directory is hashed too: in a shared temporary directory two
    // users' clocks of one portable copy must not meet.
    const QByteArray key = (QDir::homePath() + '\n' + Absolute_Settings_Path(settings_path)).toUtf8();
    const QString file_name =
        "horavox-" + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool has_runtime = !runtime.isEmpty() && QFileInfo(runtime).isDir();
    return (has_runtime ? runtime : QDir::tempPath()) + '/' + file_name;
}

TClock_Server::TClock_Server(QObject* parent)
    : QObject(parent)
    , server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TClock_Server::Answer_Next_Connection);
}

bool TClock_Server::Listen(const QString& socket_name)
{
    QLocalServer::removeServer(socket_name);
    return server_->listen(socket_name);
}

QString TClock_Server::Error_String() const
{
    return server_->errorString();
}

void TClock_Server::Answer_Next_Connection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that never finishes its line is not kept waiting on.
        QTimer::singleShot(Answer_Timeout_ms, socket, &QLocalSocket::abort);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            const bool known = line == Request_Line(TClock_Request::Say_Now) || line == Request_Line(TClock_Request::Raise);
            socket->write(known ? "ok\n" : "unknown request\n");
            socket->flush();
            socket->disconnectFromServer();
            if (!known)
                return;
            const TClock_Request request =
                line == Request_Line(TClock_Request::Say_Now) ? TClock_Request::Say_Now : TClock_Request::Raise;
            // After the answer has gone: speaking may run nested event loops.
            QTimer::singleShot(0, this, [this, request] {
                if (On_Request)
                    On_Request(request);
            });
        });
    }
}

THand_Over Become_The_Clock(TClock_Server& server, const QString& socket_name, TClock_Request request)
{
    QLockFile lock(socket_name + ".lock");
    // Without the lock (an unwritable directory) the check still runs, only not atomically.
    lock.tryLock(Answer_Timeout_ms * 2);
    const THand_Over hand_over = Hand_To_Running_Clock(socket_name, request);
    if (hand_over == THand_Over::No_Clock && !server.Listen(socket_name))
        qWarning("horavox: cannot listen for later starts on %s: %s", qPrintable(socket_name),
                 qPrintable(server.Error_String()));
    return hand_over;
}
