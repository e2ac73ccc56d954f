#include "qt/Single_Instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>

#include <cerrno>
#include <thread>
#include <optional>
#include <utility>

namespace {

using std::chrono::milliseconds;

std::string Native_Path(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// One client's connection: reads its line, answers once and closes.
class TClient_Connection : public QObject {
public:
    TClient_Connection(THandle_Watcher& watcher, TUnique_Fd socket, milliseconds timeout,
                       std::function<void(TClock_Request)> on_request, QObject* parent)
        : QObject(parent)
        , socket_(std::move(socket))
        , watch_(watcher.Watch(socket_.Get(), [this] { Read(); }))
        , on_request_(std::move(on_request))
    {
        QTimer::singleShot(timeout, this, &TClient_Connection::Close);
    }

private:
    void Read()
    {
        for (;;) {
            const TLocal_Read read = Read_Available(socket_.Get(), line_, Max_Request_Line);
            if (const auto end = line_.find('\n'); end != std::string::npos)
                return Answer(line_.substr(0, end + 1));
            if (line_.size() >= Max_Request_Line)
                return Answer(line_);
            if (read == TLocal_Read::Would_Block)
                return;
            if (read == TLocal_Read::Closed)
                return Close();
        }
    }

    void Answer(const std::string& line)
    {
        const std::optional<TClock_Request> request = Parse_Request(line);
        // The answer is a few bytes on a connection nothing was sent on, so it
        // fits at once; a client that has gone simply misses it.
        Send_All(socket_.Get(), request ? Request_Taken_Answer : Unknown_Request_Answer,
                 std::chrono::steady_clock::now());
        Close();
        if (request)
            on_request_(*request);
    }

    void Close()
    {
        if (!socket_.Valid())
            return;
        watch_->Set_Enabled(false);
        socket_.Reset();
        deleteLater();
    }

    TUnique_Fd socket_;
    std::unique_ptr<THandle_Watch> watch_;
    std::function<void(TClock_Request)> on_request_;
    std::string line_;
};

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

THand_Over Hand_To_Running_Clock(const QString& socket_name, TClock_Request request, milliseconds timeout)
{
    TUnique_Fd socket;
    switch (Connect_Local(Native_Path(socket_name), timeout, socket)) {
    case TLocal_Connect::Nobody_Listens:
        return THand_Over::No_Clock;
    case TLocal_Connect::Busy:
        return THand_Over::No_Answer;
    case TLocal_Connect::Connected:
        break;
    }
    const TDeadline deadline = std::chrono::steady_clock::now() + timeout;
    if (!Send_All(socket.Get(), Request_Line(request), deadline))
        return THand_Over::No_Answer;
    std::string answer;
    while (answer.find('\n') == std::string::npos) {
        if (!Wait_Readable(socket.Get(), deadline) ||
            Read_Available(socket.Get(), answer, Max_Request_Line) != TLocal_Read::Data)
            return THand_Over::No_Answer;
    }
    return answer == Request_Taken_Answer ? THand_Over::Taken : THand_Over::No_Answer;
}

}  // namespace

QString Clock_Socket_Name(const QString& settings_path)
{
    // The home directory counts too: in a shared temporary directory two
    // users' clocks of one portable copy must not meet.
    const QString file_name = QString::fromStdString(
        Clock_Channel_Name(QDir::homePath().toStdString(), Absolute_Settings_Path(settings_path).toStdString()));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool has_runtime = !runtime.isEmpty() && QFileInfo(runtime).isDir();
    return (has_runtime ? runtime : QDir::tempPath()) + '/' + file_name;
}

TClock_Server::TClock_Server(QObject* parent, milliseconds client_timeout)
    : QObject(parent), client_timeout_(client_timeout)
{
}

TClock_Server::~TClock_Server() = default;

bool TClock_Server::Listen(const QString& socket_name)
{
    listener_watch_.reset();
    std::string error;
    if (!listener_.Listen(Native_Path(socket_name), error)) {
        error_ = QString::fromLocal8Bit(error);
        return false;
    }
    listener_watch_ = watcher_.Watch(listener_.Fd(), [this] { Accept_Waiting_Clients(); });
    return true;
}

QString TClock_Server::Error_String() const
{
    return error_;
}

void TClock_Server::Accept_Waiting_Clients()
{
    // After the answer has gone: speaking may run nested event loops.
    const auto act_later = [this](TClock_Request request) {
        QTimer::singleShot(0, this, [this, request] {
            if (On_Request)
                On_Request(request);
        });
    };
    for (;;) {
        TUnique_Fd client = Accept_Local(listener_.Fd());
        if (client.Valid()) {
            new TClient_Connection(watcher_, std::move(client), client_timeout_, act_later, this);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            // Out of descriptors: the waiting client stays queued, so pause
            // rather than be woken for it again at once.
            listener_watch_->Set_Enabled(false);
            QTimer::singleShot(100, this, [this] {
                // Or the watch of a later Listen, enabled already.
                if (listener_watch_)
                    listener_watch_->Set_Enabled(true);
            });
        }
        return;
    }
}

THand_Over Become_The_Clock(TClock_Server& server, const QString& socket_name, TClock_Request request,
                            milliseconds answer_timeout)
{
    QLockFile lock(socket_name + ".lock");
    // Without the lock (an unwritable directory) the check still runs, only not atomically.
    lock.tryLock(static_cast<int>(answer_timeout.count() * 2));
    const THand_Over hand_over = Hand_To_Running_Clock(socket_name, request, answer_timeout);
    if (hand_over == THand_Over::No_Clock && !server.Listen(socket_name))
        qWarning("horavox: cannot listen for later starts on %s: %s", qPrintable(socket_name),
                 qPrintable(server.Error_String()));
    return hand_over;
}

THand_Over Close_Running_Clock(const QString& socket_name, milliseconds timeout)
{
    const TDeadline deadline = std::chrono::steady_clock::now() + timeout;
    const THand_Over hand_over = Hand_To_Running_Clock(socket_name, TClock_Request::Close, timeout);
    if (hand_over != THand_Over::Taken)
        return hand_over;
    // The clock removes its socket as it ends, after its settings are saved.
    while (QFileInfo::exists(socket_name)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return THand_Over::No_Answer;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return THand_Over::Taken;
}
