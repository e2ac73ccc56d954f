#include "win32/TMainForm1.h"

#include <utility>

#include <commctrl.h>
#include <windowsx.h>

#include "clock/Companion_Programs.h"
#include "clock/Display_Text.h"
#include "win32/About_Box.h"
#include "win32/Settings_Form_Dlg.h"
#include "win32/Sound_File_Info_Box.h"
#include "win32/Win32_Application.h"
#include "win32/Win32_Handle_Watcher.h"
#include "win32/Win32_Text.h"
#include "win32/Windows_Clock.h"

namespace {

// The plain timer that stands in for a second timer that cannot be armed.
constexpr UINT_PTR Timer1_Id = 1;
// Runs the activation's sound-device test once the activation is over.
constexpr UINT Activation_Test_Message = WM_APP + 3;

constexpr COLORREF Face_Colour = RGB(255, 0, 0);
constexpr COLORREF Face_Background = RGB(0, 0, 0);

HWND Create_Child(HWND parent, const wchar_t* class_name, const std::string& text, DWORD style, int id)
{
    return CreateWindowExW(0, class_name, Widen(text).c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void Register_Main_Form_Class(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW main_form{};
        main_form.cbSize = sizeof main_form;
        main_form.style = CS_HREDRAW | CS_VREDRAW;
        main_form.lpfnWndProc = procedure;
        main_form.hInstance = GetModuleHandleW(nullptr);
        main_form.hIcon = Program_Icon();
        main_form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        main_form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        main_form.lpszClassName = Main_Form_Class;
        return RegisterClassExW(&main_form) != 0;
    }();
    (void)registered;
}

}  // namespace

TMainForm1::TMainForm1(TMain_Form_Services services)
    : services_(std::move(services)), auto_run_(services_.Auto_Run_Key, services_.Executable_Path, *this)
{
    settings_ = Default_Settings(services_.Program_Directory);
    std::array<SoundPlayer*, Slot_Count> slot_players{};
    for (int number = 1; number <= Slot_Count; ++number) {
        const auto index = static_cast<std::size_t>(number - 1);
        slots_[index] = services_.Make_Sound_Player(number);
        slot_players[index] = slots_[index].get();
    }
    probe_player_ = services_.Make_Sound_Player(TMain_Form_Services::Probe_Player_Number);
    engine_ = std::make_unique<TAnnouncement_Engine>(settings_, *this, slot_players, *probe_player_, *services_.Random,
                                                     services_.Program_Directory);

    Register_Main_Form_Class(Window_Procedure);
    face_brush_ = CreateSolidBrush(Face_Background);
    task_bar_ = std::make_unique<TTask_Bar_Window>(Widen(Product_Name));
    window_ = CreateWindowExW(0, Main_Form_Class, Widen(Product_Name).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, task_bar_->Handle(), nullptr,
                              GetModuleHandleW(nullptr), this);
    task_bar_->Represent(window_);
    dpi_ = GetDpiForWindow(window_);
    if (dpi_ == 0)
        dpi_ = 96;
    Create_Controls();
    Create_Menu();
    if (services_.Make_Second_Timer)
        second_timer_ = services_.Make_Second_Timer([this] { Run_Guarded([this] { Timer1_Elapsed(); }); });
}

// The engine goes before the players it drives, the timer before the window it wakes.
TMainForm1::~TMainForm1()
{
    engine_.reset();
    second_timer_.reset();
    if (IsWindow(window_))
        DestroyWindow(window_);
    if (IsWindow(face_hint_))
        DestroyWindow(face_hint_);
    if (face_font_ != nullptr)
        DeleteObject(face_font_);
    DeleteObject(face_brush_);
}

int TMainForm1::Scaled(int design_pixels) const
{
    return MulDiv(design_pixels, static_cast<int>(dpi_), 96);
}

void TMainForm1::Create_Controls()
{
    const auto place = [this](HWND control, const TRect& design) {
        MoveWindow(control, Scaled(design.left), Scaled(design.top), Scaled(design.width), Scaled(design.height),
                   FALSE);
    };
    // Outside the client area that start-up fits to the clock face: never seen.
    Say_Time_Now_SpeedButton =
        Create_Child(window_, WC_BUTTONW, "", BS_PUSHBUTTON | WS_DISABLED, Say_Time_Now_SpeedButton_Id);
    place(Say_Time_Now_SpeedButton, Say_Time_Now_SpeedButton_Geometry);

    // The face's window text is the time it shows, which screen readers read as its name.
    Time_Label = Create_Child(window_, WC_STATICW, Design_Caption,
                              WS_VISIBLE | WS_BORDER | SS_OWNERDRAW | SS_NOTIFY, Time_Label_Id);
    place(Time_Label, Time_Label_Geometry);
    // Subclassed the plain way: the common controls' subclassing looks its
    // data up in a window property, a request to Wine's server for every
    // message, and the face gets a dozen messages a second.
    SetWindowLongPtrW(Time_Label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    face_static_procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Time_Label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Face_Procedure)));
    Set_Face_Font(Face_Font_Points);

    Scaling_ListBox = Create_Child(window_, WC_LISTBOXW, "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, Scaling_ListBox_Id);
    place(Scaling_ListBox, Scaling_ListBox_Geometry);
    Share_Sound_Crd_CheckBox = Create_Child(window_, WC_BUTTONW, Share_Sound_Crd_CheckBox_Caption, BS_CHECKBOX,
                                            Share_Sound_Crd_CheckBox_Id);
    place(Share_Sound_Crd_CheckBox, Share_Sound_Crd_CheckBox_Geometry);
}

// Made after the window first shows: a top-level window of its own, which
// the first showing does not need.
void TMainForm1::Create_Face_Hint()
{
    // Not owned by the window: Wine would stack the window below an owned
    // topmost popup instead of making it topmost itself.
    face_hint_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::wstring hint_text = Widen(Face_Hint);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    // The face relays its mouse messages itself (Face_Procedure), rather
    // than being subclassed once more.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(Time_Label);
    tool.lpszText = hint_text.data();
    SendMessageW(face_hint_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TMainForm1::Set_Face_Font(int points)
{
    if (points == face_font_points_ && face_font_ != nullptr)
        return;
    const HFONT previous = face_font_;
    face_font_points_ = points;
    face_font_ = CreateFontW(-MulDiv(points, static_cast<int>(dpi_), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             VARIABLE_PITCH | FF_ROMAN, Widen(Face_Font_Name).c_str());
    SendMessageW(Time_Label, WM_SETFONT, reinterpret_cast<WPARAM>(face_font_), TRUE);
    if (previous != nullptr)
        DeleteObject(previous);
}

void TMainForm1::Draw_Face(const DRAWITEMSTRUCT& item)
{
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, face_brush_);
    // A raised bevel one pixel wide inside the border.
    DrawEdge(item.hDC, &area, BDR_RAISEDINNER, BF_RECT);
    const std::wstring text = Widen(Face_Caption());
    const HGDIOBJ previous = SelectObject(item.hDC, face_font_);
    SetTextColor(item.hDC, Face_Colour);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, previous);
}

void TMainForm1::Attach_Dialogs(TAboutBox& about_box, TSound_File_Info_Box& sound_file_info_box,
                                TSettings_Form_Dlg& settings_dialog, TDirectory_Select_Dlg& directory_dialog)
{
    about_box_ = &about_box;
    sound_file_info_box_ = &sound_file_info_box;
    settings_dialog_ = &settings_dialog;
    // The dialog's Help runs the menu's readme command, whatever it does.
    settings_dialog.Attach_Commands(
        directory_dialog, [this] { View_Readme_file_OptionClick(); }, [this] { engine_->Play_Test_Sound(); });
}

void TMainForm1::Show(int show_command)
{
    if (!first_show_done_) {
        first_show_done_ = true;
        FormShow();
        const bool minimized = show_command == SW_SHOWMINIMIZED || show_command == SW_MINIMIZE ||
                               show_command == SW_SHOWMINNOACTIVE || show_command == SW_FORCEMINIMIZE;
        if (!minimized) {
            ShowWindow(window_, show_command);
            if (settings_.WindowState_wsMaximized)
                ShowWindow(window_, SW_MAXIMIZE);
            UpdateWindow(window_);
        }
        task_bar_->Show(minimized);
        Create_Face_Hint();
        return;
    }
    ShowWindow(window_, show_command);
}

LRESULT CALLBACK TMainForm1::Window_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TMainForm1*>(reinterpret_cast<CREATESTRUCTW*>(l_param)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    Note_Foreign_Message_Loop(message);
    auto* form = reinterpret_cast<TMainForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, w_param, l_param);
    // A handler that failed has been shown the user; the message counts as answered.
    LRESULT result = 0;
    Run_Guarded([&] { result = form->Handle_Message(message, w_param, l_param); });
    return result;
}

LRESULT CALLBACK TMainForm1::Face_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    auto* form = reinterpret_cast<TMainForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && form->face_hint_ != nullptr) {
        MSG relayed{window, message, w_param, l_param, static_cast<DWORD>(GetMessageTime()), {}};
        const DWORD position = GetMessagePos();
        relayed.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        SendMessageW(form->face_hint_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const TMouse_Button button = message == WM_LBUTTONDOWN   ? TMouse_Button::Left
                                     : message == WM_RBUTTONDOWN ? TMouse_Button::Right
                                                                 : TMouse_Button::Middle;
        Run_Guarded([&] { form->Time_LabelMouseDown(button); });
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    // DefWindowProc keeps a new time without painting it, as the static
    // control's own handling would; the face then draws it at once, straight
    // into its window: an invalidation and its paint message cost Wine's
    // server eight requests more each second.
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(window, message, w_param, l_param);
        if (IsWindowVisible(window)) {
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_STATIC;
            item.hwndItem = window;
            item.hDC = GetDC(window);
            GetClientRect(window, &item.rcItem);
            form->Draw_Face(item);
            ReleaseDC(window, item.hDC);
        }
        return result;
    }
    default:
        return CallWindowProcW(form->face_static_procedure_, window, message, w_param, l_param);
    }
}

LRESULT TMainForm1::Handle_Message(UINT message, WPARAM w_param, LPARAM l_param)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(w_param);
        if (id > Main_Command_Id_Base && id <= Main_Command_Id_Base + static_cast<int>(TMain_Command::Spare_Menu)) {
            Run_Command(static_cast<TMain_Command>(id - Main_Command_Id_Base));
            return 0;
        }
        if (id == Say_Time_Now_SpeedButton_Id && HIWORD(w_param) == BN_CLICKED) {
            Say_Time_Now_SpeedButtonClick();
            return 0;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l_param);
        if (item.hwndItem == Time_Label) {
            Draw_Face(item);
            return TRUE;
        }
        break;
    }
    case WM_SIZE:
        FormResize();
        return 0;
    // The device test waits for the message loop: opening the device first
    // time starts the sound system, which would hold up the window's first
    // showing and painting by tens of milliseconds.
    case WM_ACTIVATE:
        if (LOWORD(w_param) != WA_INACTIVE) {
            ++activation_tests_due_;
            PostMessageW(window_, Activation_Test_Message, 0, 0);
        }
        break;
    case Activation_Test_Message:
        Run_Due_Activation_Tests();
        return 0;
    case WM_TIMER:
        if (w_param == Timer1_Id) {
            KillTimer(window_, Timer1_Id);
            Timer1_Elapsed();
            return 0;
        }
        break;
    // The system clock was set, or the machine woke: the timer's aim is stale.
    case WM_TIMECHANGE:
        Timer1_Elapsed();
        return 0;
    // A new short date format shows at the next tick.
    case WM_SETTINGCHANGE:
        date_item_text_.clear();
        break;
    case WM_POWERBROADCAST:
        if (w_param == PBT_APMRESUMEAUTOMATIC || w_param == PBT_APMRESUMESUSPEND)
            Timer1_Elapsed();
        return TRUE;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(w_param);
        face_font_points_ = 0;
        const RECT& suggested = *reinterpret_cast<const RECT*>(l_param);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        Scale_Layout();
        return 0;
    }
    // The whole program goes to its task-bar button.
    case WM_SYSCOMMAND:
        if ((w_param & 0xFFF0) == SC_MINIMIZE) {
            task_bar_->Minimize();
            return 0;
        }
        break;
    case WM_CLOSE: {
        // The window stays open when the settings cannot be saved.
        bool saved = false;
        Run_Guarded([&] {
            FormCloseQuery();
            saved = true;
        });
        if (saved)
            DestroyWindow(window_);
        return 0;
    }
    // Log-off and shut-down save as the close box does; the session may end
    // at any moment after WM_ENDSESSION.
    case WM_QUERYENDSESSION:
        Run_Guarded([this] { FormCloseQuery(); });
        return TRUE;
    case WM_ENDSESSION:
        if (w_param) {
            Run_Guarded([this] { FormCloseQuery(); });
            DestroyWindow(window_);
        }
        return 0;
    case WM_DESTROY:
        Stop_Timer1();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w_param, l_param);
}

void TMainForm1::Run_Command(TMain_Command command)
{
    Run_Due_Activation_Tests();
    switch (command) {
    case TMain_Command::Always_On_Top: Always_On_Top_OptionClick(); break;
    case TMain_Command::Auto_Run_at_Windows_Startup: Auto_Run_at_Windows_Startup_OptionClick(); break;
    case TMain_Command::Restore_Factory_Defaults: Restore_Factory_Defaults_OptionClick(); break;
    case TMain_Command::Show_Settings: Show_Settings_FormClick(); break;
    case TMain_Command::Record_Sound_Files: Record_Sound_Files_OptionClick(); break;
    case TMain_Command::Exit: Exit_OptionClick(); break;
    case TMain_Command::View_Readme_file: View_Readme_file_OptionClick(); break;
    case TMain_Command::About: AboutOptionClick(); break;
    case TMain_Command::Spare_Menu: SpareMenuClick(); break;
    case TMain_Command::Record_Own_Voice:
    case TMain_Command::None: break;
    }
}

void TMainForm1::Start_Timer1()
{
    timer_running_ = true;
    Arm_Timer1(Decide_Tick(std::nullopt, Epoch_Milliseconds(services_.Clock->Now().instant)));
}

void TMainForm1::Stop_Timer1()
{
    timer_running_ = false;
    KillTimer(window_, Timer1_Id);
    if (second_timer_)
        second_timer_->Stop();
}

void TMainForm1::Arm_Timer1(const Tick_Decision& decision)
{
    if (second_timer_ && second_timer_->Arm_At(decision.next_second))
        return;
    if (SetTimer(window_, Timer1_Id, static_cast<UINT>(decision.delay_ms), nullptr) == 0)
        throw EHoravoxError("Not enough timers available");
}

void TMainForm1::Timer1_Elapsed()
{
    // A wake that was on its way when the timer stopped.
    if (!timer_running_)
        return;
    const TClock_Reading now = services_.Clock->Now();
    const Tick_Decision decision = Decide_Tick(last_tick_msecs_, Epoch_Milliseconds(now.instant));
    // Re-armed first, so that an error raised inside the tick leaves the clock ticking.
    Arm_Timer1(decision);
    if (decision.handle)
        Tick(now);
}

void TMainForm1::Timer1Timer()
{
    Tick(services_.Clock->Now());
}

void TMainForm1::Tick(const TClock_Reading& now)
{
    // An activation's test comes before any tick or command after it, as if it had run at once.
    Run_Due_Activation_Tests();
    last_tick_msecs_ = Epoch_Milliseconds(now.instant);
    Tick_Time = Tick_Time_Of(now);

    const TTick_Plan plan = Plan_Tick(settings_, Tick_Time, Is_Idle(), std::exchange(say_at_first_tick_, false));
    const std::wstring face_text = Widen(plan.face_text);
    task_bar_->Set_Title(face_text);
    SetWindowTextW(Time_Label, face_text.c_str());
    if (plan.sound == TTick_Sound::Say_Time)
        engine_->Say_Time(Tick_Time.Hour, Tick_Time.Minute);
    else if (plan.sound == TTick_Sound::Prepare_Device && services_.Prepare_Sound_Device)
        services_.Prepare_Sound_Device();

    if (date_item_text_.empty() || !(now.date == date_item_date_)) {
        date_item_date_ = now.date;
        date_item_text_ = Date_Item_Text(now.date, Windows_Short_Date_Format());
    }
    Show_Date_Item(date_item_text_);
    Process_Messages();
}

std::string TMainForm1::Face_Caption() const
{
    const int length = GetWindowTextLengthW(Time_Label);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(Time_Label, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

void TMainForm1::Time_LabelMouseDown(TMouse_Button button)
{
    // The click that activated the window comes before the posted test.
    Run_Due_Activation_Tests();
    switch (Face_Mouse_Down(button, Face_Caption())) {
    case TFace_Command::Show_Settings:
        Show_Settings_FormClick();
        break;
    case TFace_Command::Say_Time:
        Say_Time_Now_SpeedButtonClick();
        break;
    case TFace_Command::Nothing:
        break;
    }
}

void TMainForm1::Say_Time_Now_SpeedButtonClick()
{
    Run_Due_Activation_Tests();
    engine_->Say_Time(Tick_Time.Hour, Tick_Time.Minute);
}

void TMainForm1::Say_Time_On_Request()
{
    if (Say_Request_Waits_For_First_Tick(Face_Caption()))
        say_at_first_tick_ = true;
    else
        Say_Time_Now_SpeedButtonClick();
}

void TMainForm1::Bring_To_Front()
{
    if (task_bar_->Is_Minimized())
        task_bar_->Restore();
    else if (IsIconic(window_))
        ShowWindow(window_, SW_RESTORE);
    else
        ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void TMainForm1::Show_Settings_FormClick()
{
    Stop_Timer1();
    Set_Idle(false);
    settings_dialog_->Show_Modal(window_);
    Start_Timer1();
    Set_Idle(true);
    Timer1Timer();
}

void TMainForm1::Always_On_Top_OptionClick()
{
    Toggle_Always_On_Top();
}

// Only the stacking changes: the window is neither moved, resized nor activated.
void TMainForm1::Toggle_Always_On_Top()
{
    const bool on_top = !Is_Checked(TMain_Command::Always_On_Top);
    Set_Checked(TMain_Command::Always_On_Top, on_top);
    // Start-up sets the stacking the window already has, as a rule.
    if (((GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) == on_top)
        return;
    // Without its owner for the moment: Wine keeps an owned window topmost
    // once it has been, whatever it is told.
    const LONG_PTR owner = SetWindowLongPtrW(window_, GWLP_HWNDPARENT, 0);
    SetWindowPos(window_, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(window_, GWLP_HWNDPARENT, owner);
}

void TMainForm1::Exit_OptionClick()
{
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

void TMainForm1::AboutOptionClick()
{
    about_box_->Show_Modal(window_);
}

void TMainForm1::View_Readme_file_OptionClick()
{
    Show_Readme_File(services_.Executable_Path, *this);
}

void TMainForm1::SpareMenuClick()
{
    Show_Readme_File(services_.Executable_Path, *this);
}

// However the notice is closed, the recorder starts.
void TMainForm1::Record_Sound_Files_OptionClick()
{
    sound_file_info_box_->Show_Modal(window_);
    Start_Sound_Recorder(*this);
}

// The check mark changes only when the entry really changed.
void TMainForm1::Auto_Run_at_Windows_Startup_OptionClick()
{
    if (!Is_Checked(TMain_Command::Auto_Run_at_Windows_Startup)) {
        if (auto_run_.Add_To_Auto_Run())
            Set_Checked(TMain_Command::Auto_Run_at_Windows_Startup, true);
    } else if (auto_run_.Remove_From_Auto_Run()) {
        Set_Checked(TMain_Command::Auto_Run_at_Windows_Startup, false);
    }
}

void TMainForm1::FormActivate()
{
    engine_->Test_Shareability();
}

void TMainForm1::Run_Due_Activation_Tests()
{
    while (activation_tests_due_ > 0) {
        --activation_tests_due_;
        FormActivate();
    }
}

void TMainForm1::Process_Messages()
{
    Process_Pending_Messages();
}

void TMainForm1::Show_Error_Box(const std::string& text)
{
    Show_Error(text);
}

void TMainForm1::Show_Error(const std::string& text)
{
    Show_Message_Box(text, "Error", MB_OK | MB_ICONERROR);
}

void TMainForm1::Show_Information(const std::string& text)
{
    Show_Message_Box(text, "Information", MB_OK | MB_ICONINFORMATION);
}

bool TMainForm1::Ask_Warning(const std::string& text)
{
    const TForeign_Message_Loop box;
    return MessageBoxW(GetActiveWindow(), Widen(text).c_str(), L"Warning", MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool TMainForm1::Is_Idle() const
{
    return IsWindowEnabled(Say_Time_Now_SpeedButton) != FALSE;
}

void TMainForm1::Set_Idle(bool idle)
{
    EnableWindow(Say_Time_Now_SpeedButton, idle ? TRUE : FALSE);
}

bool TMainForm1::Shareable_Sound() const
{
    return SendMessageW(Share_Sound_Crd_CheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TMainForm1::Set_Shareable_Sound(bool shareable)
{
    SendMessageW(Share_Sound_Crd_CheckBox, BM_SETCHECK, shareable ? BST_CHECKED : BST_UNCHECKED, 0);
}
