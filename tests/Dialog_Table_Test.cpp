#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "clock/Directory_Select_Dlg_Table.h"
#include "clock/Settings_Form_Dlg_Table.h"

namespace {

// Both front ends build their dialogs from these tables, so a fault here is a
// fault in both: these are the rules a table must keep to be buildable.
const TDialog_Table* const Tables[] = {&Settings_Form_Dlg_Table(), &Directory_Select_Dlg_Table()};

bool Takes_Focus(TControl_Kind kind)
{
    using enum TControl_Kind;
    return kind != Group_Box && kind != Bevel && kind != Label;
}

bool Inside(const TControl_Place& inner, int width, int height)
{
    return inner.left >= 0 && inner.top >= 0 && inner.width > 0 && inner.height > 0 &&
           inner.left + inner.width <= width && inner.top + inner.height <= height;
}

bool Inside(const TControl_Place& inner, const TControl_Place& outer)
{
    return Inside({inner.left - outer.left, inner.top - outer.top, inner.width, inner.height}, outer.width,
                  outer.height);
}

TEST(Dialog_Table, Names_Are_Unique_And_Every_Reference_Names_A_Fitting_Control)
{
    for (const TDialog_Table* table : Tables) {
        SCOPED_TRACE(table->name);
        std::set<std::string_view> earlier;
        int notebooks = 0;
        for (const TDialog_Control& control : table->controls) {
            SCOPED_TRACE(control.name);
            EXPECT_FALSE(control.name.empty());
            EXPECT_TRUE(earlier.insert(control.name).second) << "the name is taken";
            EXPECT_GE(control.page, No_Page);
            EXPECT_LT(control.page, static_cast<int>(table->pages.size()));
            if (control.kind == TControl_Kind::Notebook) {
                notebooks += control.page == No_Page ? 1 : 2;
            } else if (control.page != No_Page) {
                EXPECT_EQ(notebooks, 1) << "on a page before the notebook";
            }
            // A front end creates what holds a control before the control itself.
            for (const std::string_view holder : {control.container, control.group}) {
                if (holder.empty())
                    continue;
                const TDialog_Control* box = Find_Control(*table, holder);
                ASSERT_NE(box, nullptr) << holder;
                EXPECT_EQ(box->kind, TControl_Kind::Group_Box) << holder;
                EXPECT_EQ(box->page, control.page) << holder;
                EXPECT_LT(box, &control) << holder << " comes after what it holds";
            }
            EXPECT_EQ(control.kind == TControl_Kind::Radio_Button, !control.group.empty());
            EXPECT_EQ(control.kind == TControl_Kind::Label && !control.caption.empty(), !control.buddy.empty());
            if (!control.buddy.empty()) {
                const TDialog_Control* buddy = Find_Control(*table, control.buddy);
                ASSERT_NE(buddy, nullptr) << control.buddy;
                EXPECT_EQ(buddy->container, control.container);
                EXPECT_EQ(std::abs(buddy - &control), 1) << "a label stands beside its control";
            }
        }
        EXPECT_EQ(notebooks, table->pages.empty() ? 0 : 1) << "pages without one notebook on the dialog";
    }
}

TEST(Dialog_Table, Every_Control_Lies_Inside_What_Holds_It)
{
    for (const TDialog_Table* table : Tables) {
        SCOPED_TRACE(table->name);
        const TDialog_Control* notebook = nullptr;
        for (const TDialog_Control& control : table->controls)
            if (control.kind == TControl_Kind::Notebook)
                notebook = &control;
        for (const TDialog_Control& control : table->controls) {
            SCOPED_TRACE(control.name);
            int width = table->client_width;
            int height = table->client_height;
            if (const TDialog_Control* container = Find_Control(*table, control.container))
                width = container->place.width, height = container->place.height;
            else if (control.page != No_Page)
                width = notebook->place.width, height = notebook->place.height;
            EXPECT_TRUE(Inside(control.place, width, height));
            if (const TDialog_Control* group = Find_Control(*table, control.group)) {
                EXPECT_TRUE(Inside(Place_On_Page(*table, control), Place_On_Page(*table, *group)))
                    << "outside its radio group's frame";
            }
        }
    }
}

// The rows are the creation order, so the tab stops must come in them 1, 2, 3 ...
TEST(Dialog_Table, Tab_Stops_Run_From_One_In_Row_Order_On_Each_Page)
{
    for (const TDialog_Table* table : Tables) {
        SCOPED_TRACE(table->name);
        std::map<int, int> last_stop_on_page;
        for (const TDialog_Control& control : table->controls) {
            SCOPED_TRACE(control.name);
            EXPECT_EQ(control.tab_order > 0, Takes_Focus(control.kind));
            if (control.tab_order > 0) {
                EXPECT_EQ(control.tab_order, ++last_stop_on_page[control.page]);
            }
        }
        EXPECT_EQ(last_stop_on_page.size(), table->pages.size() + 1);
    }
}

TEST(Dialog_Table, Access_Keys_Are_Unique_On_Each_Page_And_Lead_To_A_Tab_Stop)
{
    for (const TDialog_Table* table : Tables) {
        SCOPED_TRACE(table->name);
        const int pages = std::max<int>(1, static_cast<int>(table->pages.size()));
        for (int page = 0; page < pages; ++page) {
            SCOPED_TRACE(page);
            std::map<char, std::string_view> taken;
            for (const TDialog_Control& control : table->controls) {
                const char key = Access_Key(control.caption);
                if (key == '\0' || (control.page != page && control.page != No_Page))
                    continue;
                const auto [holder, fresh] = taken.emplace(key, control.name);
                EXPECT_TRUE(fresh) << control.name << " takes '" << key << "' from " << holder->second;
                const TDialog_Control* target =
                    control.buddy.empty() ? &control : Find_Control(*table, control.buddy);
                EXPECT_GT(target->tab_order, 0) << control.name;
            }
        }
        for (const std::string_view page : table->pages)
            EXPECT_EQ(Access_Key(page), '\0') << page;
    }
}

TEST(Dialog_Table, Every_Tab_Stop_Has_A_Name_For_Screen_Readers)
{
    for (const TDialog_Table* table : Tables)
        for (const TDialog_Control& control : table->controls) {
            using enum TControl_Kind;
            if (Takes_Focus(control.kind) && control.kind != Notebook) {
                EXPECT_NE(Accessible_Name(*table, control), "") << table->name << " " << control.name;
            }
            const bool button = control.kind == Radio_Button || control.kind == Check_Box ||
                                control.kind == Push_Button || control.kind == Group_Box;
            if (button) {
                EXPECT_NE(control.caption, "") << table->name << " " << control.name;
            }
        }
    const TDialog_Table& settings = Settings_Form_Dlg_Table();
    const struct {
        const char* control;
        const char* name;
    } cases[] = {
        {"Quiet_Hours_Option_CheckBox", "Silence Automatic Announcements"},  // its caption
        {"Quiet_Hours_End_Edit", "To"},                                      // the label before it
        {"Sound_Directory_Edit", "Sound File Directory Location"},           // its frame
    };
    for (const auto& c : cases)
        EXPECT_EQ(Accessible_Name(settings, *Find_Control(settings, c.control)), c.name);
}

TEST(Dialog_Table, Each_Setting_Has_One_Editor_Of_A_Fitting_Kind)
{
    using enum TControl_Kind;
    for (const TDialog_Table* table : Tables) {
        SCOPED_TRACE(table->name);
        std::vector<TSetting_Field> edited;
        for (const TDialog_Control& control : table->controls) {
            SCOPED_TRACE(control.name);
            const bool is_bool = std::holds_alternative<bool ClockSettings::*>(control.field);
            const bool is_number = std::holds_alternative<std::int32_t ClockSettings::*>(control.field);
            EXPECT_EQ(is_bool, control.kind == Radio_Button || control.kind == Check_Box);
            EXPECT_EQ(is_number && control.kind != Label, control.kind == Time_Edit || control.kind == Track_Bar);
            if (is_number && control.kind != Label) {
                EXPECT_LT(control.range.minimum, control.range.maximum);
            }
            if (control.kind == Label || std::holds_alternative<std::monostate>(control.field))
                continue;
            EXPECT_EQ(std::count(edited.begin(), edited.end(), control.field), 0) << "a second editor of one setting";
            edited.push_back(control.field);
        }
    }
}

// Selecting each option of a radio group in turn gives each of the group's
// values once, and leaves a state the start-up's repair would not change.
TEST(Dialog_Table, Each_Radio_Button_Selects_Its_Own_Value_Of_Its_Group)
{
    const TDialog_Table& table = Settings_Form_Dlg_Table();
    const auto values = [](const ClockSettings& s) {
        return std::tuple(Say_Frequency_Of(s), Clock_Format_Of(s), Play_Method_Of(s), Prefix_Suffix_Mode_Of(s),
                          Sound_Scheme_Of(s));
    };
    std::map<std::string_view, std::set<decltype(values(ClockSettings{}))>> group_values;
    for (const TDialog_Control& control : table.controls) {
        if (control.kind != TControl_Kind::Radio_Button)
            continue;
        SCOPED_TRACE(control.name);
        ClockSettings settings = Default_Settings("/");
        Set_Option(settings, table, control, true);
        EXPECT_TRUE(settings.*std::get<bool ClockSettings::*>(control.field));
        ClockSettings repaired = settings;
        Repair_Option_Groups(repaired);
        EXPECT_EQ(repaired, settings) << "the group lost its selection or holds two";
        EXPECT_TRUE(group_values[control.group].insert(values(settings)).second) << "a value its group has already";

        // Unchecking is the other button's business.
        Set_Option(settings, table, control, false);
        EXPECT_TRUE(settings.*std::get<bool ClockSettings::*>(control.field));
    }
    EXPECT_EQ(group_values.size(), 5u);

    ClockSettings settings;
    const TDialog_Control& check_box = *Find_Control(table, "Dog_Watch_Bells_Option_CheckBox");
    Set_Option(settings, table, check_box, true);
    EXPECT_TRUE(settings.Dog_Watch_Bells_Option);
    Set_Option(settings, table, check_box, false);
    EXPECT_FALSE(settings.Dog_Watch_Bells_Option);
}

TEST(Dialog_Table, Captions_Mark_Their_Access_Keys_With_An_Ampersand)
{
    const struct {
        std::string_view caption;
        char key;
        std::string_view plain;
    } cases[] = {
        {"&Help", 'h', "Help"},
        {"T&o:", 'o', "To:"},
        {"Fish && Chips", '\0', "Fish & Chips"},
        {"&&&Quit", 'q', "&Quit"},
        {"Ends in &", '\0', "Ends in &"},
        {"", '\0', ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Access_Key(c.caption), c.key) << c.caption;
        EXPECT_EQ(Plain_Caption(c.caption), c.plain) << c.caption;
    }
}

TEST(Dialog_Table, Places_Scale_To_The_Screen_To_The_Nearest_Pixel)
{
    // The chooser is designed at 120 pixels per inch: at 96, four fifths.
    EXPECT_EQ(Scaled(TControl_Place{15, 15, 306, 247}, 120, 96), (TControl_Place{12, 12, 245, 198}));
    EXPECT_EQ(Scaled(33, 120, 96), 26);    // 26.4
    EXPECT_EQ(Scaled(336, 120, 144), 403);  // 403.2
    EXPECT_EQ(Scaled(427, 96, 96), 427);
    const TDialog_Table& settings = Settings_Form_Dlg_Table();
    EXPECT_EQ(Place_On_Page(settings, *Find_Control(settings, "Test_Volume_Button")),
              (TControl_Place{304, 120, 65, 27}));
}

}  // namespace
