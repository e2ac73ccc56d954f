#include <filesystem>

#include <gtest/gtest.h>

#include "clock/Clock_Arguments.h"
#include "clock/Single_Instance.h"
#include "support/Temp_Dir.h"

namespace {

TEST(Clock_Arguments, Each_Command_Line_Reads_As_Meant)
{
    const struct {
        QStringList arguments;
        bool say_now;
        bool help;
        QString error;
    } cases[] = {
        {{"horavox"}, false, false, ""},
        {{"horavox", "--say-now"}, true, false, ""},
        {{"horavox", "--help"}, false, true, ""},
        {{"horavox", "--say-now", "-h"}, true, true, ""},
        {{"horavox", "--say-now", "now"}, true, false, "unknown option 'now'"},
        {{"horavox", "--saynow"}, false, false, "unknown option '--saynow'"},
    };
    for (const auto& c : cases) {
        const TClock_Arguments parsed = Parse_Clock_Arguments(c.arguments);
        EXPECT_EQ(parsed.say_now, c.say_now) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.help, c.help) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.error, c.error) << c.arguments.join(' ').toStdString();
    }
}

TEST(Clock_Socket_Name, Spellings_Of_One_Settings_File_Name_One_Socket)
{
    const TTemp_Dir dir;
    std::filesystem::create_directory(dir.Path() / "a");
    std::filesystem::create_directory_symlink(dir.Path() / "a", dir.Path() / "link");
    const QString base = QString::fromStdString(dir.Path().string());
    const QString name = Clock_Socket_Name(base + "/a/vocahora.ini");

    for (const QString& same : {base + "/a/./vocahora.ini", base + "/a/../a/vocahora.ini", base + "//a/vocahora.ini",
                                base + "/link/vocahora.ini"})
        EXPECT_EQ(Clock_Socket_Name(same), name) << same.toStdString();
    for (const QString& other : {base + "/vocahora.ini", base + "/a/VOCAHORA.INI", base + "/a/vocahora.ini.bak"})
        EXPECT_NE(Clock_Socket_Name(other), name) << other.toStdString();
}

}  // namespace
