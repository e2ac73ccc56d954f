// The window's tick on a wall-clock second timer: a fake one here, which the
// test wakes while the fake clock reads what it likes.
#include <optional>

#include <QDialog>
#include <QTest>

#include "Main_Window_Fixture.h"
#include "qt/Clock_Face.h"

namespace {

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

// A second timer that cannot be armed leaves the tick to the Qt timer.
TEST_F(TMain_Window_Tick_Test, A_Second_Timer_That_Cannot_Be_Armed_Leaves_The_Tick_To_The_Qt_Timer)
{
    ASSERT_NE(timer, nullptr);
    timer->Arming_Fails = true;
    clock->Time.setTime(QTime(10, 0, 0, 998));
    Show();
    EXPECT_TRUE(form->Timer1.isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Time_Label->text() == "10:00:00 AM"; }, 2000));
}

}  // namespace
