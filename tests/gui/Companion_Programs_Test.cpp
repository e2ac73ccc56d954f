#include <gtest/gtest.h>

#include "clock/Companion_Programs.h"
#include "system/Program_Launch.h"
#include "support/Native_Path.h"

namespace {

TEST(Companion_Programs, ReadmeIsNamedAfterTheExecutableUpToItsFirstDot)
{
    const struct {
        const char* executable;
        const char* readme;
    } cases[] = {
        {"/usr/lib/horavox/horavox", "/usr/lib/horavox/horavox.txt"},
        {"/opt/clock/vocahora.exe", "/opt/clock/vocahora.txt"},
        {"/opt/v1.2/a.b.c", "/opt/v1.2/a.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Readme_File_Path(Native_Path(c.executable)), Native_Path(c.readme));
}

TEST(Companion_Programs, DirectoriesAreNormalisedToOneTrailingDelimiter)
{
    const struct {
        const char* text;
        const char* normalised;
    } cases[] = {
        {"", ""},         {"/", ""},          {".", ""},        {"..", ""},
        {"./", ""},       {"../", ""},        {"/usr/bin", "/usr/bin/"}, {" /usr//bin/ \t", "/usr/bin/"},
        {"bin", "bin/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Normalise_Directory(Native_Delimiters(c.text)), Native_Delimiters(c.normalised))
            << '"' << c.text << '"';
}

}  // namespace
