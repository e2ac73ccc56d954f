#include <unistd.h>

#include <filesystem>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTabBar>
#include <QTest>
#include <QTimeEdit>
#include <QSlider>
#include <QLabel>

#include "Main_Window_Fixture.h"
#include "Pump_Events.h"
#include "qt/Clock_Face.h"
#include "settings/Settings_File.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class TSettings_Dialog_Test : public TMain_Window_Test {
protected:
    // Opens the dialog as the "&Settings" command does and runs `inside` while
    // it is open; closes it with its close box if `inside` left it open.
    void With_Dialog(const std::function<void(TSettings_Form_Dlg&)>& inside)
    {
        When_Modal_Opens([&](QWidget* modal) {
            ASSERT_EQ(modal, &windows->settings_dialog);
            inside(windows->settings_dialog);
            if (windows->settings_dialog.isVisible())
                windows->settings_dialog.close();
        });
        form->Show_Settings_Form->trigger();
    }

    template <typename Control>
    Control* Find(const char* name)
    {
        auto* control = windows->settings_dialog.findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // A click on the button's mark, on the page turned to as a user would.
    void Click(QAbstractButton* control)
    {
        for (int page = 0; page < windows->settings_dialog.TabbedNotebook1->count(); ++page)
            if (windows->settings_dialog.TabbedNotebook1->widget(page)->isAncestorOf(control))
                windows->settings_dialog.TabbedNotebook1->setCurrentIndex(page);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
    }
};

TEST_F(TSettings_Dialog_Test, FirstOpeningShowsTheFrequencyPageWithTheHourlyOption)
{
    Show();
    With_Dialog([&](TSettings_Form_Dlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Horavox Settings");
        EXPECT_EQ(dialog.size(), QSize(427, 314));
        EXPECT_EQ(dialog.pos(), QPoint(315, 82));
        EXPECT_EQ(dialog.TabbedNotebook1->tabText(0), "Talking Frequency");
        EXPECT_EQ(dialog.TabbedNotebook1->tabText(1), "Advanced Settings");
        EXPECT_EQ(dialog.TabbedNotebook1->tabText(2), "Other Settings");
        EXPECT_EQ(dialog.TabbedNotebook1->tabText(3), "Quiet Hours and Volume");
        EXPECT_EQ(dialog.TabbedNotebook1->currentIndex(), 0);
        EXPECT_TRUE(Find<QRadioButton>("Say_Time_Every_Hour_Option_RadioButton")->isChecked());
        EXPECT_TRUE(dialog.OKBtn->isDefault());
        EXPECT_TRUE(dialog.Sound_Directory_Edit->isReadOnly());
        EXPECT_EQ(dialog.Sound_Directory_Edit->text().toStdString(), program_dir.Dir());
    });
}

// Every way of closing keeps the change, which the clock uses at once and
// the next start reads back from the file.
TEST_F(TSettings_Dialog_Test, AChangeTakesEffectAtOnceWhicheverWayTheDialogClosesAndSurvivesARestart)
{
    enum class TClose { Close_Box, OK_Button, Enter_Key };
    const struct {
        const char* control;
        TClose close;
        std::function<bool(const ClockSettings&)> applies;
    } cases[] = {
        {"N24_Hour_Clock_Option_RadioButton", TClose::Close_Box,
         [](const ClockSettings& s) { return Clock_Format_Of(s) == ClockFormat::TwentyFourHour; }},
        {"No_Prefix_and_No_Suffix_RadioButton", TClose::OK_Button,
         [](const ClockSettings& s) { return Prefix_Suffix_Mode_Of(s) == PrefixSuffixMode::None; }},
        {"Keep_Repeating_Time_RadioButton", TClose::Enter_Key,
         [](const ClockSettings& s) { return Say_Frequency_Of(s) == SayFrequency::KeepRepeating; }},
        {"Fastest_Play_Option_RadioButton", TClose::Close_Box,
         [](const ClockSettings& s) { return Play_Method_Of(s) == PlayMethod::Fastest; }},
        {"Eight_Bells_Nautical_RadioButton", TClose::Enter_Key,
         [](const ClockSettings& s) { return Sound_Scheme_Of(s) == SoundScheme::EightBells; }},
        {"Inform_Me_of_Missing_Sound_Files_CheckBox", TClose::OK_Button,
         [](const ClockSettings& s) { return s.Inform_Me_of_Missing_Sound_Files_CheckBox; }},
    };
    for (const auto& c : cases) {
        fs::remove(Settings_Path());
        Create_Windows();
        Show();
        With_Dialog([&](TSettings_Form_Dlg& dialog) {
            auto* control = Find<QAbstractButton>(c.control);
            Click(control);
            EXPECT_TRUE(c.applies(form->Live_Settings())) << c.control;
            switch (c.close) {
            case TClose::Close_Box: dialog.close(); break;
            case TClose::OK_Button: QTest::mouseClick(dialog.OKBtn, Qt::LeftButton); break;
            case TClose::Enter_Key: QTest::keyClick(control, Qt::Key_Return); break;
            }
            EXPECT_FALSE(dialog.isVisible()) << c.control;
        });
        EXPECT_EQ(form->Time_Label->text(),
                  Clock_Format_Of(form->Live_Settings()) == ClockFormat::TwentyFourHour ? "13:45:07" : "01:45:07 PM")
            << c.control;
        ASSERT_TRUE(form->close());

        Create_Windows();
        Show();
        EXPECT_TRUE(c.applies(form->Live_Settings())) << c.control;
        With_Dialog([&](TSettings_Form_Dlg&) { EXPECT_TRUE(Find<QAbstractButton>(c.control)->isChecked()); });
    }
}

TEST_F(TSettings_Dialog_Test, EscLeavesTheDialogOpen)
{
    Show();
    With_Dialog([&](TSettings_Form_Dlg& dialog) {
        QTest::keyClick(Find<QRadioButton>("Never_Say_Time_Option_Radiobutton"), Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
    });
}

TEST_F(TSettings_Dialog_Test, ReopensOnThePageLeftUntilTheFactoryResetTurnsBackToTheFirst)
{
    Show();
    With_Dialog([](TSettings_Form_Dlg& dialog) { dialog.TabbedNotebook1->setCurrentIndex(2); });
    With_Dialog([](TSettings_Form_Dlg& dialog) { EXPECT_EQ(dialog.TabbedNotebook1->currentIndex(), 2); });

    When_Modal_Opens([](QWidget* question) { QTest::keyClick(question, Qt::Key_Return); });
    form->Restore_Factory_Defaults_Option->trigger();
    With_Dialog([](TSettings_Form_Dlg& dialog) { EXPECT_EQ(dialog.TabbedNotebook1->currentIndex(), 0); });
}

TEST_F(TSettings_Dialog_Test, TheNextAnnouncementUsesWhatTheDialogChanged)
{
    for (const char* word : {"PREFIX.WAV", "13.WAV", "40.WAV", "5.WAV", "PM.WAV"})
        program_dir.Write(word);
    Show();
    With_Dialog([&](TSettings_Form_Dlg&) {
        Click(Find<QRadioButton>("No_Prefix_and_No_Suffix_RadioButton"));
        Click(Find<QRadioButton>("N24_Hour_Clock_Option_RadioButton"));
    });
    QTest::mouseClick(form->Time_Label, Qt::LeftButton);
    EXPECT_THAT(Opened_Slot_Files(), ElementsAre("13.WAV", "40.WAV", "5.WAV"));
}

TEST_F(TSettings_Dialog_Test, TheDirectoryBoxFollowsTheEngineBackToTheProgramDirectory)
{
    TTemp_Dir voice;
    program_dir.Write("vocahora.ini", "[vocahora]\r\nSound_Directory_Edit=" + voice.Dir() + "\r\n");
    Show();
    With_Dialog([&](TSettings_Form_Dlg& dialog) {
        EXPECT_EQ(dialog.Sound_Directory_Edit->text().toStdString(), voice.Dir());
    });
    fs::remove_all(voice.Path());
    QTest::mouseClick(form->Time_Label, Qt::LeftButton);
    With_Dialog([&](TSettings_Form_Dlg& dialog) {
        EXPECT_EQ(dialog.Sound_Directory_Edit->text().toStdString(), program_dir.Dir());
    });
}

// The chooser opens on the working directory the program started in.
TEST_F(TSettings_Dialog_Test, DirStoresTheChosenDirectoryAndCancelKeepsTheOldOne)
{
    TTemp_Dir chosen;
    const fs::path started_in = fs::current_path();
    fs::current_path(chosen.Path());
    Create_Windows();
    Show();
    for (const bool accept : {false, true}) {
        With_Dialog([&](TSettings_Form_Dlg& dialog) {
            When_Modal_Opens([&](QWidget* chooser) {
                ASSERT_EQ(chooser, &windows->directory_dialog);
                EXPECT_EQ(chooser->windowTitle(), "Choose Sound File (WAV) Directory / Folder :");
                QTest::keyClick(chooser, accept ? Qt::Key_Return : Qt::Key_Escape);
            });
            QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
            const std::string expected = accept ? chosen.Dir() : program_dir.Dir();
            EXPECT_EQ(form->Live_Settings().Sound_Directory_Edit, expected) << accept;
            EXPECT_EQ(dialog.Sound_Directory_Edit->text().toStdString(), expected) << accept;
        });
    }
    fs::current_path(started_in);
}

// Tab stops once in each radio group, on its selected option; the arrow keys
// select the options in tab order, where "Keep Repeating" comes last.
TEST_F(TSettings_Dialog_Test, TheKeyboardReachesEveryControlInTabOrder)
{
    const QStringList tab_stops[] = {
        {"Say_Time_Every_Hour_Option_RadioButton", "OKBtn", "HelpBtn"},
        {"N12_Hour_Clock_Option_RadioButton", "Sequential_Play_Option_RadioButton",
         "Prefix1_Suffix1_Option_RadioButton", "OKBtn", "HelpBtn"},
        {"Normal_Sounds_RadioButton", "BitBtn1", "Sound_Directory_Edit", "Inform_Me_of_Missing_Sound_Files_CheckBox",
         "OKBtn", "HelpBtn"},
        // Tab moves from the hour to the minute of a time field, then on.
        {"Quiet_Hours_Option_CheckBox", "Quiet_Hours_Start_Edit", "Quiet_Hours_Start_Edit", "Quiet_Hours_End_Edit",
         "Quiet_Hours_End_Edit", "Volume_Percent_TrackBar", "Test_Volume_Button", "Dog_Watch_Bells_Option_CheckBox",
         "OKBtn", "HelpBtn"},
    };
    const QStringList arrow_down_from_hour = {
        "Keep_Repeating_Time_RadioButton", "Never_Say_Time_Option_Radiobutton",
        "Say_Time_Every_Minute_Option_RadioButton", "Say_Time_Every_5_Minutes_Option_RadioButton"};
    Show();
    With_Dialog([&](TSettings_Form_Dlg& dialog) {
        ASSERT_TRUE(Pump_Events_Until([&] { return dialog.isActiveWindow(); }));
        for (int page = 0; page < 4; ++page) {
            dialog.TabbedNotebook1->setCurrentIndex(page);
            dialog.TabbedNotebook1->tabBar()->setFocus();
            QStringList reached;
            for (int stop = 0; stop < tab_stops[page].size(); ++stop) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached << QApplication::focusWidget()->objectName();
            }
            EXPECT_EQ(reached.join(" ").toStdString(), tab_stops[page].join(" ").toStdString()) << page;
        }
        dialog.TabbedNotebook1->setCurrentIndex(0);
        Find<QRadioButton>("Say_Time_Every_Hour_Option_RadioButton")->setFocus();
        QStringList selected;
        for (int step = 0; step < arrow_down_from_hour.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            selected << QApplication::focusWidget()->objectName();
            EXPECT_TRUE(Find<QRadioButton>(qPrintable(selected.back()))->isChecked());
        }
        EXPECT_EQ(selected.join(" ").toStdString(), arrow_down_from_hour.join(" ").toStdString());
        EXPECT_EQ(Say_Frequency_Of(form->Live_Settings()), SayFrequency::Every5Minutes);
    });
}

// The fourth page edits the live settings as the others do, from the
// keyboard, and its Test button plays testsnd.wav at the volume chosen.
TEST_F(TSettings_Dialog_Test, TheQuietHoursAndVolumePageEditsTheLiveSettings)
{
    program_dir.Write("testsnd.wav");
    program_dir.Write("vocahora.ini", "[vocahora]\r\nQuiet_Hours_Start=23:15\r\nVolume_Percent=35\r\n");
    Show();
    const ClockSettings& settings = form->Live_Settings();
    With_Dialog([&](TSettings_Form_Dlg& dialog) {
        EXPECT_EQ(dialog.Quiet_Hours_Start_Edit->text(), "23:15");
        EXPECT_EQ(dialog.Quiet_Hours_End_Edit->text(), "07:00");
        EXPECT_EQ(dialog.Volume_Percent_Label->text(), "35 %");

        Click(Find<QCheckBox>("Quiet_Hours_Option_CheckBox"));
        Click(Find<QCheckBox>("Dog_Watch_Bells_Option_CheckBox"));
        QTest::keyClick(dialog.Quiet_Hours_End_Edit, Qt::Key_Up);  // the hour: 07:00 -> 08:00
        QTest::keyClick(dialog.Volume_Percent_TrackBar, Qt::Key_PageUp);
        QTest::keyClick(dialog.Volume_Percent_TrackBar, Qt::Key_Left);
        EXPECT_TRUE(settings.Quiet_Hours_Option);
        EXPECT_TRUE(settings.Dog_Watch_Bells_Option);
        EXPECT_EQ(settings.Quiet_Hours_End, 8 * 60);
        EXPECT_EQ(settings.Volume_Percent, 44);
        EXPECT_EQ(dialog.Volume_Percent_Label->text(), "44 %");

        sound.Log.clear();
        QTest::keyClick(dialog.Test_Volume_Button, Qt::Key_Space);
        EXPECT_THAT(sound.Log, ElementsAre("openprobe", "playprobe"));
        EXPECT_EQ(sound.Probe().Volume_Percent, 44);
    });
    ASSERT_TRUE(form->close());
    const ClockSettings saved = Load_Settings(Settings_Path(), program_dir.Dir());
    EXPECT_TRUE(saved.Quiet_Hours_Option && saved.Dog_Watch_Bells_Option);
    EXPECT_EQ(saved.Quiet_Hours_Start, 23 * 60 + 15);
    EXPECT_EQ(saved.Quiet_Hours_End, 8 * 60);
    EXPECT_EQ(saved.Volume_Percent, 44);
}

TEST_F(TSettings_Dialog_Test, HelpRunsTheMenusReadmeCommand)
{
    Show();
    QSignalSpy readme(form->View_Readme_file_Option, &QAction::triggered);
    With_Dialog([](TSettings_Form_Dlg& dialog) {
        // No viewer on PATH: the command says so.
        When_Modal_Opens([](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
        QTest::mouseClick(dialog.HelpBtn, Qt::LeftButton);
    });
    EXPECT_EQ(readme.count(), 1);
}

}  // namespace
