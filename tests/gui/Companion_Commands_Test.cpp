#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "Main_Window_Fixture.h"
#include "Pump_Events.h"
#include "clock/Companion_Programs.h"
#include "system/Program_Launch.h"
#include "support/Fake_Message_Boxes.h"

namespace {

namespace fs = std::filesystem;

// The menu commands that start other programs and change the log-on entry,
// with stand-in programs on PATH that note their arguments, one per line, in
// "<name>.args".
class TCompanion_Test : public TMain_Window_Test {
protected:
    void Install(const std::string& program)
    {
        const std::string noted = notes.Dir() + program + ".args";
        const std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + noted +
                                   ".tmp'\n/bin/mv '" + noted + ".tmp' '" + noted + "'\n";
        fs::permissions(bin.Write(program, script), fs::perms::owner_all);
    }
    // The arguments `program` was started with, once it has run.
    std::string Arguments_Of(const std::string& program)
    {
        const std::string noted = notes.Dir() + program + ".args";
        if (!Pump_Events_Until([&] { return fs::exists(noted); }))
            return "(not started)";
        return Read_File(noted);
    }
    // Notes the next message box as "caption|text" and closes it.
    void Note_Next_Box(QString* seen)
    {
        When_Modal_Opens([seen](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            *seen = box->windowTitle() + "|" + box->text();
            box->accept();
        });
    }

    TTemp_Dir notes;
};

TEST_F(TCompanion_Test, TheReadmeOpensFromTheMenuAndTheDateItemWithItsPathAsOneArgument)
{
    Install("xdg-open");
    Show();
    const std::string readme = program_dir.Dir() + "horavox.txt";
    QAction* commands[] = {form->View_Readme_file_Option, form->SpareMenu};
    for (QAction* command : commands) {
        fs::remove(notes.Dir() + "xdg-open.args");
        command->trigger();
        EXPECT_EQ(Arguments_Of("xdg-open"), readme + "\n") << command->objectName().toStdString();
    }
}

TEST_F(TCompanion_Test, AReadmePathWithBlanksAndSemicolonsIsOneArgument)
{
    Install("xdg-open");
    TFake_Message_Boxes boxes;
    Show_Readme_File("/opt/my clock; v2/horavox.bin", boxes);
    EXPECT_EQ(Arguments_Of("xdg-open"), "/opt/my clock; v2/horavox.txt\n");
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(TCompanion_Test, WithoutAViewerOrRecorderTheDocumentedMessagesAppear)
{
    Show();
    QString seen;
    Note_Next_Box(&seen);
    form->View_Readme_file_Option->trigger();
    EXPECT_EQ(seen, "Information|Windows Notepad could not be found.");

    // However the notice is closed, the recorder is looked for after it.
    for (const bool close_box : {false, true}) {
        QString notice;
        seen.clear();
        When_Modal_Opens([&](QWidget* modal) {
            notice = modal->windowTitle();
            Note_Next_Box(&seen);
            if (close_box)
                modal->close();
            else
                QTest::mouseClick(windows->info_box.OKButton, Qt::LeftButton);
        });
        form->Record_Sound_Files_Option->trigger();
        EXPECT_EQ(notice, "Sound File's Required :") << close_box;
        EXPECT_EQ(seen, "Information|Windows Sound Recorder could not be found.") << close_box;
    }
}

TEST_F(TCompanion_Test, TheFirstRecorderOfTheListIsStartedWithoutArguments)
{
    Install("kwave");
    Install("audacity");
    Show();
    When_Modal_Opens([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    form->Record_Sound_Files_Option->trigger();
    EXPECT_EQ(Arguments_Of("audacity"), "");
    EXPECT_FALSE(fs::exists(notes.Dir() + "kwave.args"));
}

TEST_F(TCompanion_Test, TheAutoRunMarkFollowsTheEntryAndStaysWhenTheEntryCannotBeWritten)
{
    Show();
    QString seen;
    Note_Next_Box(&seen);
    form->Auto_Run_at_Windows_Startup_Option->trigger();
    EXPECT_TRUE(form->Auto_Run_at_Windows_Startup_Option->isChecked());
    EXPECT_EQ(seen, "Information|This program (horavox) will now run automatically at Windows Start-Up.");
    EXPECT_EQ(Read_Run_Value(Auto_Run_Key(), "horavox"), Executable_Path());

    Note_Next_Box(&seen);
    form->Auto_Run_at_Windows_Startup_Option->trigger();
    EXPECT_FALSE(form->Auto_Run_at_Windows_Startup_Option->isChecked());

    // A file where the folder should be: the entry cannot be written.
    fs::remove_all(Auto_Run_Key().key);
    std::ofstream(Auto_Run_Key().key) << "not a folder";
    Note_Next_Box(&seen);
    form->Auto_Run_at_Windows_Startup_Option->trigger();
    EXPECT_TRUE(seen.startsWith("Error|Error: The specified Registry Key for this operation \r\n")) << seen.toStdString();
    EXPECT_FALSE(form->Auto_Run_at_Windows_Startup_Option->isChecked());
}

TEST(Companion_Programs, OnlyExecutableFilesInAbsoluteSearchDirectoriesAreFound)
{
    TTemp_Dir first;
    TTemp_Dir second;
    fs::create_directory(first.Path() / "viewer");
    first.Write("plain");
    fs::permissions(second.Write("viewer"), fs::perms::owner_all);
    fs::permissions(second.Write("plain"), fs::perms::owner_all);
    const std::string path_list = "relative:" + first.Path().string() + "::" + second.Dir();
    EXPECT_EQ(Find_Program("viewer", path_list), second.Dir() + "viewer");
    EXPECT_EQ(Find_Program("plain", path_list), second.Dir() + "plain");
    EXPECT_EQ(Find_Program("missing", path_list), "");
}

}  // namespace
