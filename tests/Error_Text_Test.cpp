#include "clock/Error_Text.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/SoundPlayer.h"

TEST(Error_Text, Full_Stop_Only_After_Characters_That_Sort_After_It)
{
    const struct {
        const char *text, *shown;
    } cases[] = {
        {"", ""},         {"Unable to write to /x.ini", "Unable to write to /x.ini."}, {"Error 263", "Error 263."},
        {"Done.", "Done."}, {"Really?", "Really?."} /* "?" sorts after "." */, {"Stop!", "Stop!"},
        {"Blank ", "Blank "}, {"Comma,", "Comma,"}, {"caf\u00e9", "caf\u00e9."} /* beyond ASCII */,
    };
    for (const auto& c : cases)
        EXPECT_EQ(With_Full_Stop(c.text), c.shown);
}

TEST(Error_Text, A_Sound_Files_Device_Error_Names_The_File_After_The_Full_Stop)
{
    EXPECT_EQ(Unhandled_Error_Text(EMCIDeviceError("Cannot open the device", "C:\\Sounds\\12.WAV")),
              "Cannot open the device.\nC:\\Sounds\\12.WAV");
    EXPECT_EQ(Unhandled_Error_Text(EMCIDeviceError("No MCI device open")), "No MCI device open.");
    EXPECT_EQ(Unhandled_Error_Text(EHoravoxError("Unable to write to x.ini")), "Unable to write to x.ini.");
}

// A box runs a nested message loop, in which the same error may come again.
TEST(Error_Text, An_Error_Whose_Box_Is_Open_Is_Not_Shown_Again)
{
    TOpen_Error_Boxes boxes;
    std::vector<std::string> shown;
    const auto show = [&](const std::string& text, const std::function<void()>& while_open) {
        boxes.Show_Once(text, [&] {
            shown.push_back(text);
            while_open();
        });
    };
    show("A", [&] {
        show("A", [] {});
        show("B", [&] { show("A", [] {}); });
    });
    show("A", [] {});
    EXPECT_EQ(shown, (std::vector<std::string>{"A", "B", "A"}));

    // A box that throws no longer counts as open.
    EXPECT_THROW(boxes.Show_Once("C", [] { throw std::runtime_error("closed by force"); }), std::runtime_error);
    show("C", [] {});
    EXPECT_EQ(shown.back(), "C");
}
