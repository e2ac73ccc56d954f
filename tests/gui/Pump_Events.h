#pragma once
// For the test programs that run a Qt event loop (gui and audio).
#include <chrono>
#include <functional>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

// Runs the Qt event loop until `done` holds or `limit` passes; whether it
// held. The limit only ends a test that failed: pass a condition that says
// what happened, never wait it out to show that nothing did.
inline bool Pump_Events_Until(const std::function<bool()>& done,
                              std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Wakes the waiting loop now and then: a sound thread's progress or the
    // deadline posts no event of its own.
    QTimer wake;
    wake.start(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // Outside a running event loop, objects deleted later would wait for ever.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}
