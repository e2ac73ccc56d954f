#pragma once
#include <chrono>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "clock/Clock_Requests.h"
#include "qt/Qt_Handle_Watcher.h"
#include "system/Local_Socket.h"

// One clock per settings file: the first clock listens on a per-user local
// socket named from its settings file's path, and a later start hands its
// request to that clock instead of opening a second one.

// The socket's path: in the user's runtime directory when there is one, else
// in the temporary directory. Spellings of one
// settings file (relative, "..", links) name the same socket.
QString Clock_Socket_Name(const QString& settings_path);

class TClock_Server : public QObject {
    Q_OBJECT
public:
    // A client that has not finished its line within `client_timeout` is dropped.
    explicit TClock_Server(QObject* parent = nullptr,
                           std::chrono::milliseconds client_timeout = std::chrono::seconds(1));
    ~TClock_Server() override;

    // Runs on the event-loop turn after the client has had its answer.
    std::function<void(TClock_Request)> On_Request;

    // Listens on `socket_name`, replacing a socket that a killed clock left
    // behind. The socket file goes with the server.
    bool Listen(const QString& socket_name);
    QString Error_String() const;

private:
    void Accept_Waiting_Clients();

    std::chrono::milliseconds client_timeout_;
    QString error_;
    TQt_Handle_Watcher watcher_;
    TLocal_Listener listener_;
    // Declared after the listener, so it stops watching before the socket closes.
    std::unique_ptr<THandle_Watch> listener_watch_;
};

enum class THand_Over {
    Taken,      // a running clock took the request
    No_Clock,   // none runs: this process is the clock now, listening for later starts
    No_Answer,  // a clock holds the socket but did not answer
};

// Hands `request` to the clock that runs with `socket_name`, or, when none
// does, makes `server` listen there. A lock beside the socket makes the check
// and the listening one step, so two clocks started at once cannot both win.
// Each step of the hand-over waits at most `answer_timeout`.
THand_Over Become_The_Clock(TClock_Server& server, const QString& socket_name, TClock_Request request,
                            std::chrono::milliseconds answer_timeout = std::chrono::seconds(1));

// Asks the clock that runs with `socket_name` to close as its close box does
// and waits until it has ended: Taken once it has, No_Clock when none runs,
// No_Answer when it did not take the request or still runs at `timeout`.
THand_Over Close_Running_Clock(const QString& socket_name,
                               std::chrono::milliseconds timeout = std::chrono::seconds(10));
