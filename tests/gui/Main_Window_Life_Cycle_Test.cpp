#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "Main_Window_Fixture.h"
#include "qt/Clock_Face.h"
#include "qt/Horavox_Application.h"
#include "system/linux/Desktop_Entry.h"
#include "settings/Settings_File.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::vector<std::string> Lines_Of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class TLife_Cycle_Test : public TMain_Window_Test {
protected:
    // Errors that reach the top-level handler, as "caption|text".
    void Capture_Error_Boxes()
    {
        application_->Set_Error_Presenter(
            [this](const QString& caption, const QString& text) { error_boxes_ << caption + "|" + text; });
    }
    void TearDown() override { application_->Set_Error_Presenter({}); }

    THoravox_Application* application_ = qobject_cast<THoravox_Application*>(QCoreApplication::instance());
    QStringList error_boxes_;
};

TEST_F(TLife_Cycle_Test, FirstStartWithoutSettingsFileUsesTheDefaultsAndCloseWritesEveryKeyInOrder)
{
    Show();
    EXPECT_EQ(form->pos(), QPoint(200, 200));
    EXPECT_EQ(form->Client_Size(), QSize(235, 48));
    EXPECT_EQ(form->Time_Label->geometry(), QRect(0, 0, 235, 48));
    EXPECT_FALSE(form->isMaximized());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form->Always_On_Top_Option->isChecked());
    EXPECT_EQ(form->Live_Settings(), Default_Settings(program_dir.Dir()));
    EXPECT_EQ(form->windowTitle(), "Horavox 1.0.0");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Horavox 1.0.0");
    EXPECT_TRUE(form->Is_Idle());
    EXPECT_TRUE(form->Timer1.isActive());
    EXPECT_FALSE(fs::exists(Settings_Path()));

    EXPECT_TRUE(form->close());
    std::vector<std::string> expected{"[vocahora]"};
    for (const auto& [key, value] : Settings_Fields(Default_Settings(program_dir.Dir())))
        expected.push_back(key + "=" + value);
    EXPECT_EQ(Lines_Of(Read_Settings_File()), expected);
}

TEST_F(TLife_Cycle_Test, SettingsFileLoadsAsDocumentedAndIsSavedBack)
{
    const std::string missing_directory = program_dir.Dir() + "gone/";
    program_dir.Write("vocahora.ini", "[vocahora]\r\n"
                                      "window_left_posn=300\r\nwindow_top_posn=250\r\n"
                                      "window_ClientWidth=400\r\nwindow_ClientHeight=100\r\n"
                                      "Sequential_Play_Option=1\r\nFastest_Play_Option=1\r\n"
                                      "Say_Time_Every_5_Minutes_Option=1\r\n"
                                      "N24_Hour_Clock_Option=1\r\n"
                                      "Always_on_Top_Option=0x1\r\n"
                                      "Auto_Run_at_Windows_Startup_Option=1\r\n"
                                      "Sound_Directory_Edit=" + missing_directory + "\r\n");
    Show();
    const ClockSettings& live = form->Live_Settings();
    EXPECT_EQ(form->pos(), QPoint(300, 250));
    EXPECT_EQ(form->Client_Size(), QSize(400, 100));
    EXPECT_EQ(Play_Method_Of(live), PlayMethod::Fastest);
    EXPECT_EQ(Say_Frequency_Of(live), SayFrequency::EveryHour);
    EXPECT_EQ(Clock_Format_Of(live), ClockFormat::TwentyFourHour);
    EXPECT_EQ(live.Sound_Directory_Edit, program_dir.Dir());
    EXPECT_TRUE(form->Always_On_Top_Option->isChecked());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // The mark comes from the start-up entry, which is absent.
    EXPECT_FALSE(form->Auto_Run_at_Windows_Startup_Option->isChecked());

    form->move(310, 260);
    EXPECT_TRUE(form->close());
    const ClockSettings saved = Load_Settings(Settings_Path(), program_dir.Dir());
    EXPECT_EQ(saved.window_left_posn, 310);
    EXPECT_EQ(saved.window_top_posn, 260);
    EXPECT_EQ(saved.window_ClientWidth, 400);
    EXPECT_EQ(saved.window_ClientHeight, 100);
    EXPECT_TRUE(saved.Always_on_Top_Option);
    EXPECT_FALSE(saved.Auto_Run_at_Windows_Startup_Option);
    EXPECT_EQ(Play_Method_Of(saved), PlayMethod::Fastest);
    EXPECT_EQ(saved.Sound_Directory_Edit, program_dir.Dir());
}

TEST_F(TLife_Cycle_Test, StartUpEntryDecidesTheAutoRunMark)
{
    fs::create_directories(Auto_Run_Key().key);
    std::ofstream(Auto_Run_Key().key + "/horavox.desktop") << Autostart_Desktop_Entry(Executable_Path());
    Show();
    EXPECT_TRUE(form->Auto_Run_at_Windows_Startup_Option->isChecked());
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(Load_Settings(Settings_Path(), program_dir.Dir()).Auto_Run_at_Windows_Startup_Option);
}

TEST_F(TLife_Cycle_Test, ClosingWhileMaximisedSavesTheRestoredPlacementAndTheNextStartMaximises)
{
    Show();
    form->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->isMaximized());
    EXPECT_TRUE(form->close());
    const ClockSettings saved = Load_Settings(Settings_Path(), program_dir.Dir());
    EXPECT_TRUE(saved.WindowState_wsMaximized);
    EXPECT_EQ(QRect(saved.window_left_posn, saved.window_top_posn, saved.window_ClientWidth,
                    saved.window_ClientHeight),
              QRect(200, 200, 235, 48));

    Create_Windows();
    Show();
    EXPECT_TRUE(form->isMaximized());
    const QPoint frame_offset = form->geometry().topLeft() - form->frameGeometry().topLeft();
    EXPECT_EQ(form->normalGeometry().topLeft() - frame_offset, QPoint(200, 200));
}

TEST_F(TLife_Cycle_Test, ReadOnlySettingsFileShowsTheErrorAndKeepsTheWindowOpen)
{
    const std::string before = "[vocahora]\r\nSay_Time_Every_Minute_Option=1\r\n";
    program_dir.Write("vocahora.ini", before);
    fs::permissions(Settings_Path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Capture_Error_Boxes();
    Show();
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_THAT(error_boxes_, ElementsAre(QString::fromStdString("Horavox 1.0.0|Unable to write to " +
                                                                 Settings_Path() + ".")));
    EXPECT_EQ(Read_Settings_File(), before);

    fs::permissions(Settings_Path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(form->close());
}

// How the factory-reset question is answered.
enum class TAnswer { Yes, No, Escape, Close_Box };

void Answer_Reset_Question(TAnswer answer, QString* question_shown)
{
    When_Modal_Opens([answer, question_shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        *question_shown = box->windowTitle() + "|" + QString::number(box->icon()) + "|" +
                          (box->defaultButton() == box->button(QMessageBox::Yes) ? "Yes" : "?");
        switch (answer) {
        case TAnswer::Yes:
            box->button(QMessageBox::Yes)->click();
            break;
        case TAnswer::No:
            box->button(QMessageBox::No)->click();
            break;
        case TAnswer::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case TAnswer::Close_Box:
            box->close();
            break;
        }
    });
}

TEST_F(TLife_Cycle_Test, FactoryResetAnsweredNoChangesNothingAndAnyOtherAnswerRestoresTheDefaults)
{
    const std::string saved = "[vocahora]\r\nWindowState_wsMaximized=1\r\nAlways_on_Top_Option=1\r\n"
                              "window_left_posn=40\r\nEight_Bells_Nautical_RadioButton=1\r\n"
                              "Quiet_Hours_Option=1\r\nQuiet_Hours_End=05:00\r\nVolume_Percent=30\r\n"
                              "Dog_Watch_Bells_Option=1\r\n";
    const struct {
        TAnswer answer;
        bool resets;
    } cases[] = {{TAnswer::No, false}, {TAnswer::Escape, false}, {TAnswer::Yes, true}, {TAnswer::Close_Box, true}};
    for (const auto& reset : cases) {
        const int index = static_cast<int>(reset.answer);
        program_dir.Write("vocahora.ini", saved);
        Create_Windows();
        Show();
        ASSERT_TRUE(form->isMaximized()) << index;
        ASSERT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << index;
        const QStringList base_layout = [&] {
            QStringList lines;
            for (int line = 0; line < form->Scaling_ListBox->count(); ++line)
                lines << form->Scaling_ListBox->item(line)->text();
            return lines;
        }();

        QString question;
        Answer_Reset_Question(reset.answer, &question);
        form->Restore_Factory_Defaults_Option->trigger();
        EXPECT_EQ(question, QString("Warning|%1|Yes").arg(QMessageBox::Warning)) << index;

        EXPECT_EQ(fs::exists(Settings_Path()), !reset.resets) << index;
        EXPECT_EQ(form->isMaximized(), !reset.resets) << index;
        EXPECT_EQ(form->Always_On_Top_Option->isChecked(), !reset.resets) << index;
        EXPECT_EQ(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), !reset.resets) << index;
        EXPECT_EQ(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), !reset.resets) << index;
        EXPECT_EQ(Sound_Scheme_Of(form->Live_Settings()) == SoundScheme::NormalSounds, reset.resets) << index;
        EXPECT_EQ(form->Live_Settings().Volume_Percent, reset.resets ? 100 : 30) << index;
        EXPECT_TRUE(form->Timer1.isActive()) << index;
        EXPECT_TRUE(form->Is_Idle()) << index;
        if (reset.resets) {
            EXPECT_EQ(form->Live_Settings(), Default_Settings(program_dir.Dir())) << index;
            EXPECT_EQ(form->pos(), QPoint(200, 200)) << index;
            EXPECT_EQ(form->Client_Size(), QSize(235, 48)) << index;
        }
        EXPECT_EQ(form->Scaling_ListBox->count(), base_layout.size()) << index;
        EXPECT_EQ(form->Scaling_ListBox->item(0)->text(), base_layout.front()) << index;
    }
}

TEST_F(TLife_Cycle_Test, FactoryResetKeepsASettingsFileThatAnotherProgramHoldsOpen)
{
    program_dir.Write("vocahora.ini",
                      "[vocahora]\r\nSay_Time_Every_Minute_Option=1\r\nSay_Time_Every_Hour_Option=0\r\n");
    Show();
    Select_Say_Frequency(form->Live_Settings(), SayFrequency::Never);
    const int other_program = ::open(Settings_Path().c_str(), O_RDWR);
    ASSERT_GE(other_program, 0);
    ASSERT_EQ(::flock(other_program, LOCK_EX | LOCK_NB), 0);

    QString question;
    Answer_Reset_Question(TAnswer::Yes, &question);
    form->Restore_Factory_Defaults();
    ::close(other_program);

    EXPECT_TRUE(fs::exists(Settings_Path()));
    EXPECT_EQ(Say_Frequency_Of(form->Live_Settings()), SayFrequency::EveryMinute);
}

TEST_F(TLife_Cycle_Test, ReadOnlySettingsFileIsStillDeletedByTheFactoryReset)
{
    program_dir.Write("vocahora.ini", "[vocahora]\r\nSay_Time_Every_Minute_Option=1\r\n");
    fs::permissions(Settings_Path(), fs::perms::owner_read);
    Show();
    QString question;
    Answer_Reset_Question(TAnswer::Yes, &question);
    form->Restore_Factory_Defaults();
    EXPECT_FALSE(fs::exists(Settings_Path()));
    EXPECT_EQ(Say_Frequency_Of(form->Live_Settings()), SayFrequency::EveryHour);
}

}  // namespace

namespace {

// A placement that no screen shows would hide the clock for good.
TEST_F(TLife_Cycle_Test, AWindowSavedFarOffTheScreenComesBackOntoIt)
{
    program_dir.Write("vocahora.ini", "[vocahora]\r\nwindow_left_posn=-9000\r\nwindow_top_posn=40000\r\n");
    Show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(form->geometry())) << screen.width() << "x" << screen.height() << " "
                                                     << form->geometry().x() << "," << form->geometry().y();
    EXPECT_EQ(form->Client_Size(), QSize(235, 48));
}

}  // namespace
