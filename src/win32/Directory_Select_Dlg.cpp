#include "win32/Directory_Select_Dlg.h"

#include <cctype>

#include <commctrl.h>

#include "clock/Directory_Select_Dlg_Table.h"
#include "system/Volumes.h"
#include "win32/Win32_Application.h"
#include "win32/Win32_Text.h"

namespace {

// "C:\" for a path on drive C.
std::string Drive_Of(const std::string& path)
{
    if (path.size() < 2 || path[1] != ':')
        return "C:\\";
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) + ":\\";
}

// A folder in the square `box`: closed, a yellow folder with its tab; open,
// the same with its front leaning back to show the inside.
void Draw_Folder(HDC canvas, const RECT& box, bool open)
{
    const int size = box.right - box.left;
    const auto at = [&](int x_sixteenths, int y_sixteenths) {
        return POINT{box.left + size * x_sixteenths / 16, box.top + size * y_sixteenths / 16};
    };
    const HPEN outline = CreatePen(PS_SOLID, 1, RGB(128, 96, 0));
    const HBRUSH back = CreateSolidBrush(RGB(224, 176, 48));
    const HBRUSH front = CreateSolidBrush(RGB(255, 216, 96));
    const HGDIOBJ previous_pen = SelectObject(canvas, outline);
    const HGDIOBJ previous_brush = SelectObject(canvas, back);
    const POINT body[] = {at(1, 3), at(6, 3), at(7, 5), at(15, 5), at(15, 14), at(1, 14)};
    Polygon(canvas, body, 6);
    SelectObject(canvas, front);
    if (open) {
        const POINT leaf[] = {at(3, 8), at(16, 8), at(14, 14), at(1, 14)};
        Polygon(canvas, leaf, 4);
    } else {
        const POINT leaf[] = {at(1, 7), at(15, 7), at(15, 14), at(1, 14)};
        Polygon(canvas, leaf, 4);
    }
    SelectObject(canvas, previous_brush);
    SelectObject(canvas, previous_pen);
    DeleteObject(front);
    DeleteObject(back);
    DeleteObject(outline);
}

}  // namespace

// Bold, in an 8-point sans-serif face, designed at 120 pixels per inch.
TDirectory_Select_Dlg::TDirectory_Select_Dlg()
    : TTable_Dialog(Directory_Select_Dlg_Table(), nullptr,
                    {{L"MS Sans Serif", 8, true}, {L"MS Sans Serif", 8, true}, {L"MS Sans Serif", 8, true}})
    , directory_(Working_Directory())
{
}


void TDirectory_Select_Dlg::Controls_Created()
{
    const HWND list = Control("DirectoryListBox1");
    SendMessageW(list, LB_SETITEMHEIGHT, 0, Scaled(Directory_Row_Height));
    SetWindowSubclass(list, List_Procedure, 0, reinterpret_cast<DWORD_PTR>(this));
    drives_ = Mounted_Volumes();
    const HWND drives = Control("DriveComboBox1");
    for (const std::string& drive : drives_)
        SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(drive).c_str()));
    // Opens where it was left; a directory gone since shows no subdirectories.
    const TSubdirectory_Listing listing = Read_Subdirectories(directory_);
    Show_Rows(listing.names);
    Show_Drive();
    SetFocus(Control("OKBtn"));
}

void TDirectory_Select_Dlg::Run_Command(TDialog_Command command)
{
    if (command == TDialog_Command::Close_Ok)
        End(IDOK);
    else if (command == TDialog_Command::Close_Cancel)
        End(IDCANCEL);
}

void TDirectory_Select_Dlg::On_Command(int id, int code, HWND control)
{
    if (control == Control("DirectoryListBox1") && code == LBN_DBLCLK) {
        DirectoryListBox1DblClick();
        return;
    }
    if (control == Control("DriveComboBox1") && code == CBN_SELCHANGE) {
        DriveComboBox1Change();
        return;
    }
    TTable_Dialog::On_Command(id, code, control);
}

INT_PTR TDirectory_Select_Dlg::On_Message(UINT message, WPARAM w_param, LPARAM l_param, bool& handled)
{
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l_param);
        if (item.hwndItem == Control("DirectoryListBox1")) {
            Draw_Row(item);
            handled = true;
            return TRUE;
        }
    }
    return TTable_Dialog::On_Message(message, w_param, l_param, handled);
}

void TDirectory_Select_Dlg::Move_To(const std::string& directory)
{
    std::vector<std::string> subdirectories = Enter_Directory(directory);
    directory_ = directory;
    last_directory_on_drive_[Drive_Of(directory)] = directory;
    Show_Rows(std::move(subdirectories));
    Show_Drive();
}

void TDirectory_Select_Dlg::Show_Rows(std::vector<std::string> subdirectories)
{
    rows_ = Directory_Rows(directory_, std::move(subdirectories));
    const HWND list = Control("DirectoryListBox1");
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int current = 0;
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        // The text is what a screen reader reads out for the row.
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(rows_[index].name).c_str()));
        if (rows_[index].open)
            current = static_cast<int>(index);
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void TDirectory_Select_Dlg::Show_Drive()
{
    const std::string drive = Drive_Of(directory_);
    for (std::size_t index = 0; index < drives_.size(); ++index)
        if (drives_[index] == drive)
            SendMessageW(Control("DriveComboBox1"), CB_SETCURSEL, index, 0);
}

void TDirectory_Select_Dlg::Draw_Row(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows_.size())
        return;
    const TDirectory_Row& row = rows_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int glyph_size = item.rcItem.bottom - item.rcItem.top - 2;
    int left = item.rcItem.left + 2 + Scaled(Directory_Indent_Step) * row.level;
    const RECT glyph{left, item.rcItem.top + 1, left + glyph_size, item.rcItem.top + 1 + glyph_size};
    Draw_Folder(item.hDC, glyph, row.open);
    left += glyph_size + Scaled(4);
    RECT text_area{left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT
                                                : (row.hidden ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)));
    const std::wstring name = Widen(row.name);
    DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text_area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void TDirectory_Select_Dlg::DirectoryListBox1DblClick()
{
    const auto index = SendMessageW(Control("DirectoryListBox1"), LB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < rows_.size())
        Move_To(rows_[static_cast<std::size_t>(index)].path);
}

// A drive that cannot be read says why, and the list and the drive shown stay.
void TDirectory_Select_Dlg::DriveComboBox1Change()
{
    const auto index = SendMessageW(Control("DriveComboBox1"), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= drives_.size())
        return;
    const std::string& drive = drives_[static_cast<std::size_t>(index)];
    const auto last = last_directory_on_drive_.find(drive);
    try {
        Move_To(last != last_directory_on_drive_.end() ? last->second : drive);
    } catch (...) {
        Show_Drive();
        throw;
    }
}

// Space enters the highlighted directory and Backspace goes up one level.
LRESULT CALLBACK TDirectory_Select_Dlg::List_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param,
                                                       UINT_PTR, DWORD_PTR data)
{
    auto* dialog = reinterpret_cast<TDirectory_Select_Dlg*>(data);
    if (message == WM_CHAR && (w_param == L' ' || w_param == L'\b'))
        return 0;
    if (message == WM_KEYDOWN && (w_param == VK_SPACE || w_param == VK_BACK)) {
        Run_Guarded([&] {
            if (w_param == VK_SPACE) {
                dialog->DirectoryListBox1DblClick();
                return;
            }
            // The row above the current directory's is its parent.
            for (std::size_t index = 1; index < dialog->rows_.size(); ++index)
                if (dialog->rows_[index].open && (index + 1 == dialog->rows_.size() || !dialog->rows_[index + 1].open)) {
                    dialog->Move_To(dialog->rows_[index - 1].path);
                    return;
                }
        });
        return 0;
    }
    return DefSubclassProc(window, message, w_param, l_param);
}
