#include <gtest/gtest.h>

#include <csignal>

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "platform/Termination_Signals.h"

namespace {

TEST(Termination_Watch, A_Termination_Signal_Asks_The_Window_To_Close_On_The_Event_Loop)
{
    for (int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
        int close_requests = 0;
        TTermination_Watch watch([&] { ++close_requests; });
        std::raise(signal_number);
        EXPECT_EQ(close_requests, 0) << "never inside the signal handler";
        const QDeadlineTimer deadline(5000);
        while (close_requests == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(close_requests, 1) << "signal " << signal_number;
    }
}

}  // namespace
