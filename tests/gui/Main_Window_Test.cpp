#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "Main_Window_Fixture.h"
#include "qt/Clock_Face.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(TMain_Window_Test, FaceShowsDotsUntilTheFirstTickAndALeftClickThenSaysNothing)
{
    program_dir.Write("1.WAV");
    Show();
    EXPECT_EQ(form->Time_Label->text(), "....");
    EXPECT_FALSE(form->SpareMenu->isVisible());
    QTest::mouseClick(form->Time_Label, Qt::LeftButton);
    EXPECT_THAT(Opened_Slot_Files(), IsEmpty());
    EXPECT_TRUE(form->Is_Idle());
}

TEST_F(TMain_Window_Test, TickShowsTheTimeInTheFaceTitleAndDateItem)
{
    Show();
    Tick_At(QTime(13, 45, 7, 20));
    EXPECT_EQ(form->Time_Label->text(), "01:45:07 PM");
    EXPECT_EQ(form->windowTitle(), "01:45:07 PM");
    EXPECT_TRUE(form->SpareMenu->isVisible());
    // 7 December 2026 is a Monday; the date itself in the system's short form.
    EXPECT_EQ(form->SpareMenu->text(), "Mon, " + QLocale::system().toString(QDate(2026, 12, 7), QLocale::ShortFormat));
    EXPECT_EQ(form->Tick_Time.Millisecond, 20);

    Select_Clock_Format(form->Live_Settings(), ClockFormat::TwentyFourHour);
    Tick_At(QTime(13, 45, 8));
    EXPECT_EQ(form->Time_Label->text(), "13:45:08");
}

TEST_F(TMain_Window_Test, LeftClickSaysTheTimeOfTheLatestTick)
{
    for (const char* word : {"1.WAV", "40.WAV", "5.WAV", "PM.WAV", "3.WAV"})
        program_dir.Write(word);
    Show();
    Tick_At(QTime(13, 45, 7));
    clock->Time.setTime(QTime(15, 3, 0));  // a later reading is not what the click says
    QTest::mouseClick(form->Time_Label, Qt::LeftButton);
    EXPECT_THAT(Opened_Slot_Files(), ElementsAre("1.WAV", "40.WAV", "5.WAV", "PM.WAV"));
    EXPECT_FALSE(form->Is_Idle());
}

TEST_F(TMain_Window_Test, RightAndMiddleClicksOpenSettingsWithTheClockStoppedAndTickAfter)
{
    Show();
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        Tick_At(QTime(9, 0, 1));
        bool timer_ran_during_dialog = true;
        bool idle_during_dialog = true;
        QWidget* dialog = nullptr;
        When_Modal_Opens([&](QWidget* modal) {
            dialog = modal;
            timer_ran_during_dialog = form->Timer1.isActive();
            idle_during_dialog = form->Is_Idle();
            // The dialog edits the live settings; the face follows at once on closing.
            Select_Clock_Format(form->Live_Settings(), ClockFormat::TwentyFourHour);
            static_cast<QDialog*>(modal)->reject();
        });
        clock->Time.setTime(QTime(21, 30, 15));
        QTest::mouseClick(form->Time_Label, button);

        EXPECT_EQ(dialog, &windows->settings_dialog) << button;
        EXPECT_FALSE(timer_ran_during_dialog) << button;
        EXPECT_FALSE(idle_during_dialog) << button;
        EXPECT_TRUE(form->Timer1.isActive()) << button;
        EXPECT_TRUE(form->Is_Idle()) << button;
        EXPECT_EQ(form->Time_Label->text(), "21:30:15") << button;
        Select_Clock_Format(form->Live_Settings(), ClockFormat::TwelveHour);
    }
}

TEST_F(TMain_Window_Test, HourlyAnnouncementOnlyInSecondZeroAndOnlyWhenIdle)
{
    program_dir.Write("10.WAV");
    Show();
    Tick_At(QTime(10, 0, 1));
    EXPECT_THAT(Opened_Slot_Files(), IsEmpty());

    form->Set_Idle(false);
    Tick_At(QTime(10, 0, 0));
    EXPECT_THAT(Opened_Slot_Files(), IsEmpty());
    EXPECT_EQ(form->Time_Label->text(), "10:00:00 AM");

    form->Set_Idle(true);
    Tick_At(QTime(10, 0, 0));
    EXPECT_THAT(Opened_Slot_Files(), ElementsAre("10.WAV"));
}

// Quiet hours hold back the hourly announcement and the device's preparation,
// while the face ticks on and a click still speaks.
TEST_F(TMain_Window_Test, QuietHoursSilenceTheScheduleButNotAClick)
{
    for (const char* word : {"11.WAV", "PM.WAV", "7.WAV", "AM.WAV"})
        program_dir.Write(word);
    Show();
    ClockSettings& settings = form->Live_Settings();
    settings.Quiet_Hours_Option = true;
    settings.Quiet_Hours_Start = 22 * 60;
    settings.Quiet_Hours_End = 7 * 60;

    Tick_At(QTime(22, 59, 59));
    Tick_At(QTime(23, 0, 0));
    EXPECT_THAT(Opened_Slot_Files(), IsEmpty());
    EXPECT_EQ(sound_device_preparations, 0);
    EXPECT_EQ(form->Time_Label->text(), "11:00:00 PM");

    QTest::mouseClick(form->Time_Label, Qt::LeftButton);
    EXPECT_THAT(Opened_Slot_Files(), ElementsAre("11.WAV", "PM.WAV"));

    sound.Play_Out();
    Tick_At(QTime(6, 59, 59));
    EXPECT_EQ(sound_device_preparations, 1);
    Tick_At(QTime(7, 0, 0));
    EXPECT_THAT(Opened_Slot_Files(), ElementsAre("7.WAV", "AM.WAV"));
}

// The tick before a due one opens the sound device and nothing more: the
// announcement, its random prefix included, is composed at the due tick.
TEST_F(TMain_Window_Test, TickBeforeADueAnnouncementPreparesTheDeviceOnly)
{
    for (const char* file : {"10.WAV", "PREFIX1.WAV", "PREFIX2.WAV"})
        program_dir.Write(file);
    Show();
    Select_Prefix_Suffix_Mode(form->Live_Settings(), PrefixSuffixMode::Random);
    TSeeded_Random untouched = *random;
    sound.Log.clear();

    Tick_At(QTime(9, 59, 58));
    EXPECT_EQ(sound_device_preparations, 0);
    Tick_At(QTime(9, 59, 59));
    EXPECT_EQ(sound_device_preparations, 1);
    EXPECT_THAT(sound.Log, IsEmpty());
    EXPECT_EQ(TSeeded_Random(*random).Random_Below(1'000'000), untouched.Random_Below(1'000'000))
        << "no prefix was drawn";

    Tick_At(QTime(10, 0, 0));
    EXPECT_THAT(Opened_Slot_Files(), Contains("10.WAV"));
    EXPECT_EQ(sound_device_preparations, 1);
}

TEST_F(TMain_Window_Test, ScalingFollowsTheClientAreaFromTheFirstShowLayout)
{
    Show();
    // First show: the client fitted to the 177 x 47 face, then the default 235 x 48.
    ASSERT_EQ(form->Scaling_ListBox->count(), 7);
    EXPECT_EQ(form->Scaling_ListBox->item(0)->text(), "177 47 W/H Mainform1");
    EXPECT_EQ(form->Scaling_ListBox->item(2)->text(), "0 177 0 47 20 Time_Label");
    EXPECT_EQ(form->Scaling_ListBox->item(5)->text(), "0");
    const QRect default_face = form->Time_Label->geometry();
    EXPECT_EQ(default_face, QRect(0, 0, 235, 48));

    struct Case {
        QSize client;
        QRect face;
        int points;
    };
    const Case cases[] = {
        {{354, 141}, {0, 0, 354, 141}, 40},  // twice as wide, three times as tall: the smaller ratio
        {{177, 470}, {0, 0, 177, 470}, 20},  // only taller: the width ratio 1 keeps the font
        {{88, 47}, {0, 0, 88, 47}, 9},       // only narrower: the font shrinks, truncated
        {{352, 94}, {0, 0, 352, 94}, 39},    // 1.99: truncated to 39, not rounded to 40
        {{177, 47}, {0, 0, 177, 47}, 20},    // back to the base: exactly the design
    };
    for (const Case& scaled : cases) {
        form->resize(scaled.client.width(), scaled.client.height() + form->height() - form->Client_Size().height());
        ASSERT_EQ(form->Client_Size(), scaled.client);
        EXPECT_EQ(form->Time_Label->geometry(), scaled.face) << scaled.client.width();
        EXPECT_EQ(form->Time_Label->font().pointSize(), scaled.points) << scaled.client.width();
    }
    EXPECT_EQ(form->Say_Time_Now_SpeedButton->geometry(), QRect(192, 12, 25, 27));
    EXPECT_EQ(form->Share_Sound_Crd_CheckBox->geometry(), QRect(12, 54, 153, 17));
}

TEST_F(TMain_Window_Test, AlwaysOnTopTogglesTheStackingOnlyAndTheCheckMark)
{
    Show();
    const QRect placed = form->geometry();
    for (const bool expected : {true, false}) {
        form->Always_On_Top_Option->trigger();
        EXPECT_EQ(form->Always_On_Top_Option->isChecked(), expected);
        EXPECT_EQ(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), expected);
        EXPECT_EQ(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), expected);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->geometry(), placed);
    }
}

TEST_F(TMain_Window_Test, MenuCaptionsInOrder)
{
    QStringList captions;
    for (QAction* item : form->File_Menu->actions())
        captions << (item->isSeparator() ? "-" : item->text());
    captions << "|";
    for (QAction* item : form->Help_Menu->actions())
        captions << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(captions.join(","),
              "Always on Top,&Auto-Run at Windows Startup,&Restore Factory Defaults,-,&Settings,-,"
              "&Record Sound Files,Record Your Own &Voice...,-,E&xit,|,&View Readme file,-,&About");
    EXPECT_EQ(form->File_Menu->title(), "&File");
    EXPECT_EQ(form->Help_Menu->title(), "&Help");
}

TEST_F(TMain_Window_Test, AboutBoxIsModalAndReseedsTheGenerator)
{
    Show();
    TSeeded_Random expected;
    expected.Seed(Seed_From_Clock(*clock));
    random->Seed(12345);
    QWidget* shown = nullptr;
    When_Modal_Opens([&](QWidget* modal) {
        shown = modal;
        static_cast<QDialog*>(modal)->accept();
    });
    form->AboutOption->trigger();
    EXPECT_EQ(shown, &windows->about_box);
    EXPECT_EQ(random->Random_Below(1000000), expected.Random_Below(1000000));
    EXPECT_TRUE(form->Timer1.isActive());
}

TEST_F(TMain_Window_Test, EveryActivationTestsWhetherSoundCanBeShared)
{
    Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_FALSE(form->Shareable_Sound());  // no "testsnd.wav" yet

    program_dir.Write("testsnd.wav");
    QWidget other_window;
    other_window.show();
    other_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other_window));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_TRUE(form->Shareable_Sound());
    EXPECT_FALSE(sound.Probe().Is_Open());
}

}  // namespace
