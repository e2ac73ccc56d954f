// What the clock costs while it sits on the desktop: the real window ticks
// for a while (60 s unless the first argument gives the seconds) and its
// processor time (% of one core) and resident memory are measured, next to a
// bare QWidget window measured the same way in the same run. Each window runs
// in a child process of its own. The clock's sound device is opened as on a
// desktop, by the first activation's probe (SDL's dummy driver unless
// SDL_AUDIODRIVER names another); the measurement starts once the device has
// been silent long enough to close, as it is between announcements.
// Run it under a display (xvfb-run) or QT_QPA_PLATFORM=offscreen.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <QProcess>

#include "Bench_Window.h"
#include "qt/Horavox_Application.h"
#include "audio/Sound_Output.h"
#include "audio/Output_Sound_Player.h"

namespace {

double Process_Cpu_Seconds()
{
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) / 1e9;
}

double Wall_Seconds()
{
    timespec wall{};
    clock_gettime(CLOCK_MONOTONIC, &wall);
    return static_cast<double>(wall.tv_sec) + static_cast<double>(wall.tv_nsec) / 1e9;
}

long Resident_Kilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// Shows one window, then measures `seconds` of its life; prints "cpu% rss_kB".
int Measure_Child(int argc, char** argv, bool clock_window, int seconds)
{
    THoravox_Application application(argc, argv);
    TSound_Output audio;
    std::unique_ptr<TBench_Windows> clock;
    QWidget bare;
    if (clock_window) {
        clock = Create_Clock_Windows(std::make_shared<TSystem_Clock>(),
                                     [&audio](int) { return std::make_shared<TOutput_Sound_Player>(audio); });
        clock->form->show();
        clock->form->FormActivate();
    } else {
        bare.resize(235, 67);
        bare.show();
    }
    double cpu_start = 0;
    double wall_start = 0;
    const int warm_up_ms = 1000 + static_cast<int>(TSound_Output::Default_Close_After_Silence.count());
    QTimer::singleShot(warm_up_ms, [&] {
        cpu_start = Process_Cpu_Seconds();
        wall_start = Wall_Seconds();
    });
    QTimer::singleShot(warm_up_ms + seconds * 1000, &application, &QCoreApplication::quit);
    QApplication::exec();
    const double cpu_percent = 100.0 * (Process_Cpu_Seconds() - cpu_start) / (Wall_Seconds() - wall_start);
    std::printf("%.3f %ld\n", cpu_percent, Resident_Kilobytes());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--child")
        return Measure_Child(argc, argv, std::string(argv[2]) == "clock", std::atoi(argv[3]));

    const QString seconds = argc > 1 ? argv[1] : "60";
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QCoreApplication application(argc, argv);
    std::printf("%d s per window, after %d s of warming up\n", seconds.toInt(),
                static_cast<int>(TSound_Output::Default_Close_After_Silence.count() / 1000) + 1);
    for (const char* window : {"bare", "clock"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--child", window, seconds});
        if (!child.waitForFinished((seconds.toInt() + 45) * 1000) || child.exitCode() != 0) {
            std::printf("%s window: the measurement failed\n", window);
            return 1;
        }
        double cpu_percent = 0;
        long rss_kb = 0;
        std::sscanf(child.readAllStandardOutput().constData(), "%lf %ld", &cpu_percent, &rss_kb);
        std::printf("%-5s window: CPU %.3f%% of one core, RSS %.1f MiB\n", window, cpu_percent,
                    static_cast<double>(rss_kb) / 1024.0);
    }
    return 0;
}
