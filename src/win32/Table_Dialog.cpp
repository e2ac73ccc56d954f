#include "win32/Table_Dialog.h"

#include <algorithm>

#include <commctrl.h>

#include "clock/Settings_Form_Dlg_Table.h"
#include "win32/Win32_Text.h"

namespace {

constexpr int First_Control_Id = 1000;

// Any day will do: a time picker only shows the hours and minutes.
SYSTEMTIME Time_Of_Day_Value(std::int32_t minutes)
{
    SYSTEMTIME time{};
    time.wYear = 2000;
    time.wMonth = 1;
    time.wDay = 1;
    time.wHour = static_cast<WORD>(minutes / 60);
    time.wMinute = static_cast<WORD>(minutes % 60);
    return time;
}

}  // namespace

TTable_Dialog::TTable_Dialog(const TDialog_Table& table, ClockSettings* settings, TTable_Fonts fonts)
    : TDialog(Widen(table.caption), table.client_width, table.client_height, table.design_dpi)
    , table_(table)
    , settings_(settings)
    , font_specs_(fonts)
{
}

HWND TTable_Dialog::Control(std::string_view name) const
{
    for (const TBuilt& built : built_)
        if (built.row->name == name)
            return built.window;
    return nullptr;
}

const TTable_Dialog::TBuilt* TTable_Dialog::Built_By_Id(int id) const
{
    for (const TBuilt& built : built_)
        if (built.id == id)
            return &built;
    return nullptr;
}

const TTable_Dialog::TBuilt* TTable_Dialog::Built_By_Window(HWND window) const
{
    for (const TBuilt& built : built_)
        if (built.window == window)
            return &built;
    return nullptr;
}

BOOL TTable_Dialog::Create_Controls()
{
    built_.clear();
    notebook_ = nullptr;
    const auto make_font = [this](const TFont_Spec& spec) {
        return Keep_Font(Create_Font(spec.face, spec.size, spec.bold, Dpi()));
    };
    control_font_ = make_font(font_specs_.controls);
    tab_font_ = make_font(font_specs_.tabs);
    bold_font_ = make_font(font_specs_.bold_buttons);
    // Hints wrap at a readable width.
    hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                             0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hints_, TTM_SETMAXTIPWIDTH, 0, Scaled(320));
    std::string_view previous_group;
    for (std::size_t index = 0; index < table_.controls.size(); ++index) {
        const TDialog_Control& row = table_.controls[index];
        const int id = row.command == TDialog_Command::Close_Ok       ? IDOK
                       : row.command == TDialog_Command::Close_Cancel ? IDCANCEL
                                                                      : First_Control_Id + static_cast<int>(index);
        const bool first_of_group = row.kind != TControl_Kind::Radio_Button || row.group != previous_group;
        if (row.kind == TControl_Kind::Radio_Button)
            previous_group = row.group;
        else if (row.kind != TControl_Kind::Label)
            previous_group = {};
        const HWND window = Make(row, id, first_of_group);
        built_.push_back({&row, window, id});
        if (!row.hint.empty()) {
            std::wstring hint = Widen(row.hint);
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = GetParent(window);
            tool.uId = reinterpret_cast<UINT_PTR>(window);
            tool.lpszText = hint.data();
            SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    Show_Settings();
    if (notebook_ != nullptr)
        Show_Page(page_ < static_cast<int>(table_.pages.size()) ? page_ : 0);
    Controls_Created();
    return TRUE;
}

HWND TTable_Dialog::Make(const TDialog_Control& row, int id, bool first_of_group)
{
    using enum TControl_Kind;
    const bool on_page = row.page != No_Page && notebook_ != nullptr;
    const HWND parent = on_page ? notebook_ : Handle();
    TControl_Place place = ::Scaled(Place_On_Page(table_, row), table_.design_dpi, static_cast<int>(Dpi()));
    if (on_page) {
        place.left += page_origin_.x;
        place.top += page_origin_.y;
    }
    const wchar_t* class_name = WC_STATICW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD extended_style = 0;
    // Every control that takes the focus starts a group of its own, so the
    // arrow keys move only within a radio group.
    const DWORD stop = WS_TABSTOP | WS_GROUP;
    int height = place.height;
    switch (row.kind) {
    case Notebook:
        class_name = WC_TABCONTROLW;
        style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_GROUP | TCS_TABS;
        extended_style = WS_EX_CONTROLPARENT;
        break;
    case Group_Box: class_name = WC_BUTTONW; style |= BS_GROUPBOX | WS_GROUP; break;
    case Bevel: style |= SS_SUNKEN; break;
    case Radio_Button:
        class_name = WC_BUTTONW;
        style |= BS_AUTORADIOBUTTON | (first_of_group ? stop : 0);
        break;
    case Check_Box: class_name = WC_BUTTONW; style |= BS_AUTOCHECKBOX | stop; break;
    case Push_Button: class_name = WC_BUTTONW; style |= (row.is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | stop; break;
    case Label: style |= (row.right_aligned ? SS_RIGHT : SS_LEFT) | (row.hint.empty() ? 0 : SS_NOTIFY); break;
    case Edit:
        class_name = WC_EDITW;
        style |= ES_AUTOHSCROLL | stop | (row.read_only ? ES_READONLY : 0);
        extended_style = WS_EX_CLIENTEDGE;
        break;
    case Time_Edit: class_name = DATETIMEPICK_CLASSW; style |= DTS_TIMEFORMAT | DTS_UPDOWN | stop; break;
    case Track_Bar: class_name = TRACKBAR_CLASSW; style |= TBS_HORZ | TBS_NOTICKS | stop; break;
    case Combo_Box:
        class_name = WC_COMBOBOXW;
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | stop;
        // The list that drops down.
        height *= 10;
        break;
    case List_Box:
        class_name = WC_LISTBOXW;
        style |= LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | stop;
        extended_style = WS_EX_CLIENTEDGE;
        break;
    }
    // A caption wider in this font than in the designed one widens its
    // control, rather than being cut short.
    const HFONT font = row.bold ? bold_font_ : control_font_;
    if (!row.caption.empty() && (row.kind == Label || row.kind == Radio_Button || row.kind == Check_Box))
        place.width = std::max(place.width, Caption_Width(row, font));
    const HWND window = CreateWindowExW(extended_style, class_name, Widen(row.caption).c_str(), style, place.left,
                                        place.top, place.width, height, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                        nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    switch (row.kind) {
    case Notebook: {
        notebook_ = window;
        // Narrow margins, so that the four tabs fit in one row.
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(tab_font_), FALSE);
        SendMessageW(window, TCM_SETPADDING, 0, MAKELPARAM(Scaled(3), Scaled(3)));
        for (std::size_t page = 0; page < table_.pages.size(); ++page) {
            std::wstring caption = Widen(table_.pages[page]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageW(window, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
        }
        RECT area{};
        GetClientRect(window, &area);
        SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        page_origin_ = {area.left, area.top};
        // The pages' controls are the tab control's children; their notices belong to the dialog.
        SetWindowSubclass(window, Page_Parent_Procedure, 0, reinterpret_cast<DWORD_PTR>(this));
        break;
    }
    case Time_Edit:
        SendMessageW(window, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm"));
        break;
    case Track_Bar:
        SendMessageW(window, TBM_SETRANGEMIN, FALSE, row.range.minimum);
        SendMessageW(window, TBM_SETRANGEMAX, FALSE, row.range.maximum);
        SendMessageW(window, TBM_SETLINESIZE, 0, row.range.small_step);
        SendMessageW(window, TBM_SETPAGESIZE, 0, row.range.large_step);
        [[fallthrough]];
    case List_Box:
        // Not shown, but read out by screen readers as the control's name.
        SetWindowTextW(window, Widen(Accessible_Name(table_, row)).c_str());
        break;
    default:
        break;
    }
    return window;
}

int TTable_Dialog::Caption_Width(const TDialog_Control& row, HFONT font) const
{
    const std::wstring text = Widen(Plain_Caption(row.caption));
    const HDC screen = GetDC(Handle());
    const HGDIOBJ previous = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, previous);
    ReleaseDC(Handle(), screen);
    // A radio button or check box draws its mark and a gap before the caption.
    const int mark = row.kind == TControl_Kind::Label ? 0 : GetSystemMetricsForDpi(SM_CXMENUCHECK, Dpi()) + Scaled(6);
    return extent.cx + mark + Scaled(2);
}

LRESULT CALLBACK TTable_Dialog::Page_Parent_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param,
                                                      UINT_PTR, DWORD_PTR data)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return SendMessageW(reinterpret_cast<TTable_Dialog*>(data)->Handle(), message, w_param, l_param);
    // The page in the dialog's colour, like the controls on it (which the
    // tab control, clipping its children, does not paint over).
    case WM_PAINT: {
        const LRESULT painted = DefSubclassProc(window, message, w_param, l_param);
        RECT page{};
        GetClientRect(window, &page);
        SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        const HDC canvas = GetDC(window);
        FillRect(canvas, &page, GetSysColorBrush(COLOR_BTNFACE));
        ReleaseDC(window, canvas);
        return painted;
    }
    default:
        return DefSubclassProc(window, message, w_param, l_param);
    }
}

void TTable_Dialog::Show_Page(int page)
{
    page_ = page;
    SendMessageW(notebook_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (const TBuilt& built : built_)
        if (built.row->page != No_Page)
            ShowWindow(built.window, built.row->page == page ? SW_SHOW : SW_HIDE);
    RedrawWindow(notebook_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in any tabbed dialog, and
// the focus goes to the new page's first control.
bool TTable_Dialog::Pre_Translate(MSG& message)
{
    if (notebook_ == nullptr || message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
        GetKeyState(VK_CONTROL) >= 0)
        return false;
    const int pages = static_cast<int>(table_.pages.size());
    const int step = GetKeyState(VK_SHIFT) < 0 ? pages - 1 : 1;
    Show_Page((page_ + step) % pages);
    for (const TBuilt& built : built_)
        if (built.row->page == page_ && (GetWindowLongPtrW(built.window, GWL_STYLE) & WS_TABSTOP)) {
            SetFocus(built.window);
            break;
        }
    return true;
}

void TTable_Dialog::Show_Settings()
{
    for (const TBuilt& built : built_)
        Show_Setting(built);
}

void TTable_Dialog::Show_Setting(const TBuilt& built)
{
    if (settings_ == nullptr)
        return;
    const TDialog_Control& row = *built.row;
    if (const auto* flag = std::get_if<bool ClockSettings::*>(&row.field)) {
        SendMessageW(built.window, BM_SETCHECK, settings_->*(*flag) ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (const auto* text = std::get_if<std::string ClockSettings::*>(&row.field)) {
        SetWindowTextW(built.window, Widen(settings_->*(*text)).c_str());
    } else if (const auto* number = std::get_if<std::int32_t ClockSettings::*>(&row.field)) {
        const std::int32_t value = settings_->*(*number);
        if (row.kind == TControl_Kind::Time_Edit) {
            SYSTEMTIME time = Time_Of_Day_Value(value);
            SendMessageW(built.window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
        } else if (row.kind == TControl_Kind::Track_Bar) {
            SendMessageW(built.window, TBM_SETPOS, TRUE, value);
        } else {  // the only label that shows a number shows the volume
            SetWindowTextW(built.window, Widen(Volume_Percent_Text(value)).c_str());
        }
    }
}

void TTable_Dialog::Changed(const TBuilt& built)
{
    if (settings_ == nullptr)
        return;
    const TDialog_Control& row = *built.row;
    if (std::holds_alternative<bool ClockSettings::*>(row.field)) {
        Set_Option(*settings_, table_, row, SendMessageW(built.window, BM_GETCHECK, 0, 0) == BST_CHECKED);
        return;
    }
    const auto* number = std::get_if<std::int32_t ClockSettings::*>(&row.field);
    if (number == nullptr)
        return;
    if (row.kind == TControl_Kind::Time_Edit) {
        SYSTEMTIME time{};
        if (SendMessageW(built.window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID)
            settings_->*(*number) = time.wHour * 60 + time.wMinute;
    } else if (row.kind == TControl_Kind::Track_Bar) {
        settings_->*(*number) = static_cast<std::int32_t>(SendMessageW(built.window, TBM_GETPOS, 0, 0));
        // The label beside it reads the value out.
        for (const TBuilt& other : built_)
            if (&other != &built && other.row->field == row.field)
                Show_Setting(other);
    }
}

void TTable_Dialog::On_Command(int id, int code, HWND control)
{
    const TBuilt* built = Built_By_Id(id);
    // Enter and Esc come from the dialog manager without a control.
    if (control == nullptr && (id == IDOK || id == IDCANCEL)) {
        Run_Command(id == IDOK ? TDialog_Command::Close_Ok : TDialog_Command::Close_Cancel);
        return;
    }
    if (built == nullptr || code != BN_CLICKED)
        return;
    if (built->row->kind == TControl_Kind::Push_Button)
        Run_Command(built->row->command);
    else if (built->row->kind == TControl_Kind::Radio_Button || built->row->kind == TControl_Kind::Check_Box)
        Changed(*built);
}

INT_PTR TTable_Dialog::On_Message(UINT message, WPARAM, LPARAM l_param, bool& handled)
{

    if (message == WM_NOTIFY) {
        const auto& notice = *reinterpret_cast<const NMHDR*>(l_param);
        if (notice.hwndFrom == notebook_ && notice.code == TCN_SELCHANGE) {
            Show_Page(static_cast<int>(SendMessageW(notebook_, TCM_GETCURSEL, 0, 0)));
            handled = true;
        } else if (notice.code == DTN_DATETIMECHANGE) {
            if (const TBuilt* built = Built_By_Window(notice.hwndFrom))
                Changed(*built);
            handled = true;
        }
    } else if (message == WM_HSCROLL) {
        if (const TBuilt* built = Built_By_Window(reinterpret_cast<HWND>(l_param))) {
            Changed(*built);
            handled = true;
        }
    }
    return 0;
}

POINT TTable_Dialog::Position(int frame_width, int frame_height)
{
    if (!table_.position)
        return TDialog::Position(frame_width, frame_height);
    return {Scaled(table_.position->left), Scaled(table_.position->top)};
}
