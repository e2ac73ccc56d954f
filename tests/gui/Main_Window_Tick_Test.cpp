// The window's tick on a wall-clock second timer: a fake one here, which the
// test wakes while the fake clock reads what it likes.
#include <optional>

#include <QDialog>
#include <QTest>

#include "Main_Window_Fixture.h"
#include "Pump_Events.h"
#include "qt/Clock_Face.h"
#include "qt/Horavox_Application.h"

namespace {

using ::testing::ElementsAre;

class TFake_Second_Timer : public TSecond_Timer {
public:
    explicit TFake_Second_Timer(std::function<void()> on_wake) : Wake(std::move(on_wake)) {}
    bool Arm_At(std::int64_t epoch_second) override
    {
        if (Arming_Fails)
            return false;
        Aim = epoch_second;
        return true;
    }
    void Stop() override { Aim.reset(); }

    std::function<void()> Wake;
    std::optional<std::int64_t> Aim;
    bool Arming_Fails = false;
};

class TMain_Window_Tick_Test : public TMain_Window_Test {
protected:
    TMain_Window_Tick_Test()
    {
        make_second_timer = [this](std::function<void()> on_wake) {
            auto made = std::make_unique<TFake_Second_Timer>(std::move(on_wake));
            timer = made.get();
            return made;
        };
        Create_Windows();
    }

    // Today at `time`, in seconds since the epoch.
    std::int64_t Second_Of(const QTime& time) const { return QDateTime(clock->Time.date(), time).toSecsSinceEpoch(); }

    // The timer wakes through the event loop, as the system's does, so that an
    // error in the tick reaches the application's handler; the clock reads `time`.
    void Wake_At(const QTime& time)
    {
        clock->Time.setTime(time);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { timer->Wake(); }, Qt::QueuedConnection);
    }

    bool Shows(const QString& text)
    {
        return Pump_Events_Until([&] { return form->Time_Label->text() == text; });
    }

    THoravox_Application& Application() { return *qobject_cast<THoravox_Application*>(QCoreApplication::instance()); }

    TFake_Second_Timer* timer = nullptr;
};

// Each wake reads the clock: a new second is shown and the timer aimed at the
// one after it; a wake in the second already shown (the clock was set back a
// little, or the wake came early) is not handled, only re-aimed. The settings
// dialog stops the timer, as it stops the clock.
TEST_F(TMain_Window_Tick_Test, Every_Wake_Aims_At_The_Second_After_The_One_Read_And_Shows_Each_Second_Once)
{
    clock->Time.setTime(QTime(13, 45, 7, 400));
    Show();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Aim, Second_Of(QTime(13, 45, 8)));

    const struct {
        QTime reading;
        const char* shown;
        QTime aim;
    } wakes[] = {
        {QTime(13, 45, 8, 0), "01:45:08 PM", QTime(13, 45, 9)},
        {QTime(13, 45, 8, 999), "01:45:08 PM", QTime(13, 45, 9)},  // same second again
        {QTime(13, 45, 9, 0), "01:45:09 PM", QTime(13, 45, 10)},
        {QTime(12, 45, 9, 500), "12:45:09 PM", QTime(12, 45, 10)},  // clock set back an hour
        {QTime(12, 45, 12, 300), "12:45:12 PM", QTime(12, 45, 13)},  // a stalled loop
    };
    for (const auto& wake : wakes) {
        clock->Time.setTime(wake.reading);
        timer->Wake();
        EXPECT_EQ(form->Time_Label->text(), wake.shown) << wake.reading.toString().toStdString();
        EXPECT_EQ(timer->Aim, Second_Of(wake.aim)) << wake.reading.toString().toStdString();
        EXPECT_FALSE(form->Timer1.isActive());
    }

    // Stopped while the settings dialog is open, aimed again when it closes.
    std::optional<std::int64_t> aim_during_dialog = 0;
    When_Modal_Opens([&](QWidget* modal) {
        aim_during_dialog = timer->Aim;
        static_cast<QDialog*>(modal)->reject();
    });
    clock->Time.setTime(QTime(21, 30, 15, 250));
    QTest::mouseClick(form->Time_Label, Qt::RightButton);
    EXPECT_EQ(aim_during_dialog, std::nullopt);
    EXPECT_EQ(timer->Aim, Second_Of(QTime(21, 30, 16)));
}

// A second timer that cannot be armed leaves the tick to the Qt timer, aimed
// at the second all the same.
TEST_F(TMain_Window_Tick_Test, A_Second_Timer_That_Cannot_Be_Armed_Leaves_The_Tick_To_The_Qt_Timer)
{
    ASSERT_NE(timer, nullptr);
    timer->Arming_Fails = true;
    clock->Time.setTime(QTime(10, 0, 0, 998));
    Show();
    ASSERT_TRUE(form->Timer1.isActive());
    EXPECT_EQ(form->Timer1.interval(), 2);
    clock->Time.setTime(QTime(10, 0, 1, 0));
    QMetaObject::invokeMethod(&form->Timer1, "timeout");
    EXPECT_EQ(form->Time_Label->text(), "10:00:01 AM");
    EXPECT_TRUE(form->Timer1.isActive());
    EXPECT_EQ(form->Timer1.interval(), 1000);
}

// An error raised in a tick is shown by the application; the timer was aimed
// at the next second before the tick ran, so the clock goes on.
TEST_F(TMain_Window_Tick_Test, An_Error_In_A_Tick_Is_Shown_And_The_Clock_Goes_On)
{
    QStringList boxes;
    Application().Set_Error_Presenter(
        [&](const QString& caption, const QString& text) { boxes << caption + "|" + text; });
    program_dir.Write("10.WAV");
    sound.Fail_Open("10.WAV", "The device is busy");
    clock->Time.setTime(QTime(9, 59, 59, 500));
    Show();
    Wake_At(QTime(10, 0, 0, 1));
    EXPECT_TRUE(Pump_Events_Until([&] { return !boxes.isEmpty(); }));
    EXPECT_EQ(timer->Aim, Second_Of(QTime(10, 0, 1)));
    Wake_At(QTime(10, 0, 1, 1));
    EXPECT_TRUE(Shows("10:00:01 AM"));
    Application().Set_Error_Presenter({});
    // The device's text with its full stop, then the file to replace.
    EXPECT_THAT(boxes, ElementsAre(QString::fromStdString("Horavox 1.0.0|The device is busy.\n" +
                                                          program_dir.Dir() + "10.WAV")));
}

// A box shown for a failing sound file lets the clock go on; the same error
// at every later announcement must not pile one box on another (each a nested
// event loop) while the first is still open.
TEST_F(TMain_Window_Tick_Test, An_Error_That_Repeats_While_Its_Box_Is_Open_Is_Not_Stacked_On_It)
{
    QStringList boxes;
    Application().Set_Error_Presenter([&](const QString&, const QString& text) {
        boxes << text;
        if (boxes.size() > 1)
            return;
        // While the first box is open, two more announcements fail.
        for (const int second : {1, 2}) {
            Wake_At(QTime(10, 0, second, 1));
            EXPECT_TRUE(Shows(QString("10:00:0%1 AM").arg(second)));
        }
    });
    program_dir.Write("PREFIX.WAV");
    sound.Fail_Open("PREFIX.WAV", "The device is busy");
    program_dir.Write("vocahora.ini",
                      "[vocahora]\r\nKeep_Repeating_Time_RadioButton=1\r\nSay_Time_Every_Hour_Option=0\r\n");
    clock->Time.setTime(QTime(9, 59, 59, 500));
    Show();
    Wake_At(QTime(10, 0, 0, 1));
    EXPECT_TRUE(Shows("10:00:02 AM"));
    Application().Set_Error_Presenter({});
    EXPECT_THAT(boxes, ElementsAre(QString::fromStdString("The device is busy.\n" + program_dir.Dir() + "PREFIX.WAV")));
}

}  // namespace
