#include "win32/TMainForm1.h"

#include "win32/Win32_Text.h"

namespace {

UINT Item_Id(TMain_Command command)
{
    return static_cast<UINT>(Command_Id(command));
}

}  // namespace

void TMainForm1::Create_Menu()
{
    MainMenu1 = CreateMenu();
    HMENU* const menus[] = {&File_Menu, &Help_Menu};
    for (std::size_t index = 0; index < Main_Menus.size(); ++index) {
        const TMenu& design = Main_Menus[index];
        const HMENU menu = CreatePopupMenu();
        for (int number = 0; number < design.item_count; ++number) {
            const TMenu_Item& item = design.items[number];
            // The voice recorder captures through the Linux sound server; Windows has no capture yet.
            if (item.command == TMain_Command::Record_Own_Voice)
                continue;
            if (item.command == TMain_Command::None)
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu, MF_STRING, Item_Id(item.command), Widen(item.caption).c_str());
        }
        AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), Widen(design.caption).c_str());
        *menus[index] = menu;
    }
    SetMenu(window_, MainMenu1);
}

bool TMainForm1::Is_Checked(TMain_Command command) const
{
    return (GetMenuState(MainMenu1, Item_Id(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TMainForm1::Set_Checked(TMain_Command command, bool checked)
{
    CheckMenuItem(MainMenu1, Item_Id(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// The date item `SpareMenu` after the menus: a menu bar cannot hide an item,
// so it is added at the first tick and taken away by start-up.
void TMainForm1::Show_Date_Item(const std::string& caption)
{
    if (date_item_shown_ && caption == date_item_caption_)
        return;
    const std::wstring text = Widen(caption);
    if (date_item_shown_)
        ModifyMenuW(MainMenu1, Item_Id(TMain_Command::Spare_Menu), MF_BYCOMMAND | MF_STRING,
                    Item_Id(TMain_Command::Spare_Menu), text.c_str());
    else
        AppendMenuW(MainMenu1, MF_STRING, Item_Id(TMain_Command::Spare_Menu), text.c_str());
    date_item_shown_ = true;
    date_item_caption_ = caption;
    DrawMenuBar(window_);
}

void TMainForm1::Hide_Date_Item()
{
    if (!date_item_shown_)
        return;
    RemoveMenu(MainMenu1, Item_Id(TMain_Command::Spare_Menu), MF_BYCOMMAND);
    date_item_shown_ = false;
    date_item_caption_.clear();
    DrawMenuBar(window_);
}
