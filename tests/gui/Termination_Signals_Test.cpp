#include <gtest/gtest.h>

#include <csignal>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>

#include "Pump_Events.h"
#include "qt/Termination_Signals.h"

namespace {

TEST(Termination_Watch, A_Termination_Signal_Asks_The_Window_To_Close_On_The_Event_Loop)
{
    for (int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
        int close_requests = 0;
        TTermination_Watch watch([&] { ++close_requests; });
        std::raise(signal_number);
        EXPECT_EQ(close_requests, 0) << "never inside the signal handler";
        EXPECT_TRUE(Pump_Events_Until([&] { return close_requests > 0; }));
        EXPECT_EQ(close_requests, 1) << "signal " << signal_number;
    }
}

// A window whose save fails: its error box runs a nested event loop, in which
// the session may signal again, and the window stays open.
class TFailing_Save_Window : public QWidget {
public:
    int signals_while_box_open = 0;
    int close_attempts = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++close_attempts;
        for (int i = 0; i < signals_while_box_open; ++i)
            std::raise(SIGTERM);
        // The box's event loop, until the user answers.
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        event->ignore();
    }
};

TEST(Termination_Watch, A_Signal_While_A_Failed_Close_Waits_On_The_User_Ends_The_Program_Once_Answered)
{
    for (int signals_while_box_open : {0, 1, 2}) {
        TFailing_Save_Window window;
        window.signals_while_box_open = signals_while_box_open;
        window.show();
        int ends = 0;
        TTermination_Watch watch([&] { window.close(); }, [&] { ++ends; });
        std::raise(SIGTERM);
        EXPECT_TRUE(Pump_Events_Until([&] { return window.close_attempts > 0; }));
        QCoreApplication::processEvents();
        EXPECT_EQ(window.close_attempts, 1) << signals_while_box_open << " more signals";
        EXPECT_EQ(ends, signals_while_box_open > 0 ? 1 : 0) << signals_while_box_open << " more signals";
        EXPECT_TRUE(window.isVisible()) << "the window itself is never closed unsaved";
    }
}

}  // namespace
