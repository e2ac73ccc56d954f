/* The floor for the clock's window title: a bare X11 window that sets its
 * title to the local time on each whole second, sleeping to the boundary on
 * the wall clock. Whatever it shows beyond zero is the cost of the
 * observation path (the X server and the observer), not of a timer. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(void)
{
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return 1;
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 235, 67, 0, 0, 0);
    /* The observer tells the windows apart by their process. */
    long pid = (long)getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    (unsigned char*)&pid, 1);
    Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
    XMapWindow(display, window);
    XFlush(display);
    for (;;) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        struct timespec boundary = {now.tv_sec + 1, 0};
        while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &boundary, NULL) != 0) {
        }
        clock_gettime(CLOCK_REALTIME, &now);
        struct tm local;
        localtime_r(&now.tv_sec, &local);
        char text[16];
        strftime(text, sizeof text, "%H:%M:%S", &local);
        /* In the order a Qt window sets them. */
        XChangeProperty(display, window, net_wm_name, utf8_string, 8, PropModeReplace, (unsigned char*)text,
                        (int)strlen(text));
        XStoreName(display, window, text);
        XFlush(display);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }
}
