/* The floor for horavox.exe's window title under Wine: a bare Win32 window
 * that sets its title to the local time on each whole second, waiting for
 * the boundary in its message loop and looking at the clock again when it
 * wakes (a wait ends on the millisecond, so it may end a little early).
 * Whatever it shows beyond zero is the cost of Wine and of the observation
 * path, not of the clock's timer. Also the bare window that the clock's
 * start-up and idle CPU are held against. */
#include <stdio.h>
#include <windows.h>

static ULONGLONG Now_100ns(void)
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return ((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show)
{
    (void)previous;
    (void)command_line;
    WNDCLASSW window_class = {0};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"Title_On_The_Second";
    window_class.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, L"Title_On_The_Second", L"reference", WS_OVERLAPPEDWINDOW, 0, 0, 243, 94, NULL,
                                  NULL, instance, NULL);
    ShowWindow(window, show);
    ULONGLONG shown = Now_100ns() / 10000000ULL;
    for (;;) {
        const ULONGLONG now = Now_100ns();
        const ULONGLONG second = now / 10000000ULL;
        if (second > shown) {
            SYSTEMTIME local;
            GetLocalTime(&local);
            wchar_t text[16];
            swprintf(text, 16, L"%02u:%02u:%02u", local.wHour, local.wMinute, local.wSecond);
            SetWindowTextW(window, text);
            shown = second;
        }
        /* Up to the next boundary, rounded up to the millisecond. */
        const ULONGLONG left = (second + 1) * 10000000ULL - Now_100ns();
        MsgWaitForMultipleObjects(0, NULL, FALSE, (DWORD)((left + 9999) / 10000), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return 0;
            DispatchMessageW(&message);
        }
    }
}
