// Faults from outside the program: the disk, the file system and the process
// being killed, injected where they hurt most.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/Profile_File.h"
#include "settings/Settings_File.h"
#include "support/Announcement_Engine_Rig.h"
#include "support/Temp_Dir.h"
#include "util/Horavox_Error.h"

namespace {

namespace fs = std::filesystem;

std::size_t Entries_In(const fs::path& directory)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

// The sound directory is taken away while the announcement loads (a USB stick
// pulled out): the rest comes from the program directory, the clock is free
// again once the sound has ended, and the next announcement runs.
TEST(Fault_Injection, The_Sound_Directory_Vanishes_In_The_Middle_Of_An_Announcement)
{
    TAnnouncement_Engine_Rig rig;
    TAnnouncement_Engine_Rig::Write_Words(rig.Sound_Dir, {"PREFIX", "10", "7", "AM", "SUFFIX"});
    TAnnouncement_Engine_Rig::Write_Words(rig.Program_Dir, {"AM"});
    const fs::path sound_dir = rig.Sound_Dir.Path();
    rig.Host.On_Process_Messages = [&] {
        if (rig.Host.Messages_Processed == 7)
            fs::remove_all(sound_dir);
    };
    rig.Engine.Say_Time(10, 7);
    rig.Host.On_Process_Messages = nullptr;
    EXPECT_EQ(rig.Settings.Sound_Directory_Edit, rig.Program_Dir.Dir());
    EXPECT_EQ(rig.Slot_Files(), (std::vector<std::string>{"PREFIX.WAV", "10.WAV", "AM.WAV", "", "", "", ""}));
    rig.Sounds.Play_Out();
    EXPECT_TRUE(rig.Host.Is_Idle());

    rig.Sounds.Log.clear();
    rig.Engine.Say_Time(11, 0);
    rig.Sounds.Play_Out();
    EXPECT_TRUE(rig.Host.Is_Idle());
}

// Every automatic announcement of an hour finds no word file at all: each
// leaves the clock free for the next, and nothing is shown.
TEST(Fault_Injection, Every_Word_File_Missing_Leaves_The_Clock_Free_For_Every_Announcement)
{
    TAnnouncement_Engine_Rig rig;
    for (int minute = 0; minute < 60; ++minute) {
        rig.Engine.Say_Time(10, minute);
        ASSERT_TRUE(rig.Host.Is_Idle()) << "minute " << minute;
    }
    EXPECT_TRUE(rig.Host.Error_Boxes.empty());
    for (int slot = 1; slot <= Slot_Count; ++slot)
        EXPECT_FALSE(rig.Sounds.Slot(slot).Is_Open()) << slot;
}

// A full disk, made by a file-size limit, while a save writes: the save fails
// as documented, the old file is whole and no temporary file is left.
TEST(Fault_Injection, A_Full_Disk_During_A_Save_Keeps_The_Old_File)
{
    TTemp_Dir dir;
    const std::string before = "[vocahora]\r\nN24_Hour_Clock_Option=1\r\n";
    const auto path = dir.Write("vocahora.ini", before);
    auto settings = Load_Settings(path, "/opt/clock/");
    settings.Sound_Directory_Edit = "/" + std::string(2000, 'd') + "/";

    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 1024;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    try {
        Save_Settings(path, settings);
    } catch (const EHoravoxError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(error, "Unable to write to " + path);
    EXPECT_EQ(Read_File(path), before);
    EXPECT_EQ(Entries_In(dir.Path()), 1u);
}

// A save killed at any point leaves the old file or the new one, never a mix
// or a stump; the temporary file of a killed save goes at the next save.
TEST(Fault_Injection, SIGKILL_During_Saves_Leaves_The_Old_Or_The_New_File)
{
    TTemp_Dir dir;
    const std::string old_file = "[vocahora]\r\nSound_Directory_Edit=/" + std::string(3'000'000, 'o') + "/\r\n";
    const std::string new_file = "[vocahora]\r\nSound_Directory_Edit=/" + std::string(2'000'000, 'n') + "/\r\n";
    const auto path = dir.Write("vocahora.ini", old_file);

    for (int round = 0; round < 20; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            close(ready[0]);
            // Back and forth between the two files, telling the parent before each save.
            for (int save = 0;; ++save) {
                TProfile_File file(path);
                file.Write_String("vocahora", "Sound_Directory_Edit",
                                  "/" + std::string(save % 2 ? 3'000'000 : 2'000'000, save % 2 ? 'o' : 'n') + "/");
                const char byte = 1;
                if (write(ready[1], &byte, 1) != 1)
                    _exit(1);
                file.Save();
            }
        }
        close(ready[1]);
        // Killed inside a later save each round: after 1 to 3 started saves.
        char byte;
        for (int started = 0; started <= round % 3; ++started)
            ASSERT_EQ(read(ready[0], &byte, 1), 1);
        kill(saver, SIGKILL);
        int status = 0;
        waitpid(saver, &status, 0);
        close(ready[0]);
        const std::string content = Read_File(path);
        ASSERT_TRUE(content == old_file || content == new_file)
            << "round " << round << ": a file of " << content.size() << " bytes";
    }

    TProfile_File file(path);
    file.Write_String("vocahora", "Always_on_Top_Option", "1");
    file.Save();
    EXPECT_EQ(Entries_In(dir.Path()), 1u) << "temporary files of killed saves are gone";
}

}  // namespace
