#pragma once
#include <functional>

#include <QObject>

class QSocketNotifier;

// When the session ends the program (SIGTERM, SIGHUP) or the user presses
// Ctrl+C in its terminal, `request_close` runs on the GUI thread, so the
// window is asked to close and saves its settings, as when the system shuts
// down. One watch at a time: a signal handler can reach only a static.
class TTermination_Watch : public QObject {
public:
    explicit TTermination_Watch(std::function<void()> request_close);
    ~TTermination_Watch() override;
    TTermination_Watch(const TTermination_Watch&) = delete;
    TTermination_Watch& operator=(const TTermination_Watch&) = delete;

private:
    std::function<void()> request_close_;
    QSocketNotifier* notifier_ = nullptr;
};
