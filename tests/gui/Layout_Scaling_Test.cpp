#include "clock/Layout_Scaling.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const Control_Layout Speed_Button{192, 25, 12, 27, 8, "Say_Time_Now_SpeedButton"};
const Control_Layout Clock_Face{0, 177, 0, 47, 20, "Time_Label"};

// The record as first show leaves it: header, two controls and a timer.
std::vector<std::string> Base_Record()
{
    return {Base_Layout_Header(177, 47), Base_Layout_Line(Speed_Button), Base_Layout_Line(Clock_Face),
            Non_Visual_Layout_Line};
}

Control_Layout Scaled(const Control_Layout& base, int client_width, int client_height)
{
    const auto scaled = Scale_Line(Base_Layout_Line(base), Compute_Scale_Ratios(Base_Record()[0], client_width,
                                                                                 client_height));
    return scaled.value_or(Control_Layout{});
}

TEST(Layout_Scaling, Record_Lines_Put_Width_Before_Top_And_The_Name_Last)
{
    EXPECT_EQ(Base_Layout_Header(177, 47), "177 47 W/H Mainform1");
    EXPECT_EQ(Base_Layout_Line(Speed_Button), "192 25 12 27 8 Say_Time_Now_SpeedButton");
}

TEST(Layout_Scaling, Scales_Position_Size_And_Font)
{
    const struct {
        const char* what;
        int client_width, client_height;
        Control_Layout face;
    } cases[] = {
        {"first-show size", 177, 47, Clock_Face},
        {"twice as wide, three times as tall: font by the smaller", 354, 141, {0, 354, 0, 141, 40, "Time_Label"}},
        {"only narrower: font shrinks", 88, 47, {0, 88, 0, 47, 9, "Time_Label"}},
        {"only taller: font unchanged", 177, 94, {0, 177, 0, 94, 20, "Time_Label"}},
        {"a fraction short of whole products", 97, 24, {0, 97, 0, 24, 10, "Time_Label"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scaled(Clock_Face, c.client_width, c.client_height), c.face) << c.what;

    EXPECT_EQ(Scaled(Speed_Button, 354, 141), (Control_Layout{384, 50, 36, 81, 16, "Say_Time_Now_SpeedButton"}));
}

TEST(Layout_Scaling, Products_Are_Truncated_Not_Rounded)
{
    const Scale_Ratios ratios = Compute_Scale_Ratios("100 100 W/H Mainform1", 199, 300);
    EXPECT_DOUBLE_EQ(ratios.font.Value(), 1.99);
    EXPECT_EQ(Scale_Line("0 0 0 0 20 Time_Label", ratios)->font_points, 39);
}

TEST(Layout_Scaling, The_Clock_Face_Always_Fills_The_Client_Area_Exactly)
{
    for (int width = 1; width <= 2000; ++width)
        for (int height : {1, 24, 47, 48, 100, 333, 1000}) {
            const Control_Layout face = Scaled(Clock_Face, width, height);
            ASSERT_EQ(face.width, width) << width << "x" << height;
            ASSERT_EQ(face.height, height) << width << "x" << height;
        }
}

TEST(Layout_Scaling, Resizing_Back_To_The_First_Show_Size_Restores_Every_Control_Exactly)
{
    const std::vector<std::string> record = Base_Record();
    const Scale_Ratios back = Compute_Scale_Ratios(record[0], 177, 47);
    EXPECT_EQ(Scale_Line(record[1], back), Speed_Button);
    EXPECT_EQ(Scale_Line(record[2], back), Clock_Face);
    EXPECT_EQ(Scale_Line(record[3], back), std::nullopt);
}

TEST(Layout_Scaling, Lines_Of_One_Character_Or_Less_Are_Skipped)
{
    const Scale_Ratios ratios = Compute_Scale_Ratios(Base_Record()[0], 300, 300);
    for (const char* line : {"", "0", "7"})
        EXPECT_EQ(Scale_Line(line, ratios), std::nullopt) << '"' << line << '"';
}

TEST(Layout_Scaling, A_Zero_Base_Size_Leaves_That_Direction_Unscaled)
{
    const Scale_Ratios ratios = Compute_Scale_Ratios("0 47 W/H Mainform1", 500, 94);
    EXPECT_EQ(Scale_Line(Base_Layout_Line(Clock_Face), ratios), (Control_Layout{0, 177, 0, 94, 20, "Time_Label"}));
    const Scale_Ratios neither = Compute_Scale_Ratios("", 500, 94);
    EXPECT_EQ(Scale_Line(Base_Layout_Line(Clock_Face), neither), Clock_Face);
}

}  // namespace
