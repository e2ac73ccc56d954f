// How long the clock takes from process start to its first painted clock
// face, the median of 10 starts, next to a bare Qt window started the same
// way. Each start is a child process (this program in child mode, building
// the clock's windows as the program entry does) that notes the monotonic
// time of the face's first paint event and exits. Run it under a display
// (xvfb-run) or QT_QPA_PLATFORM=offscreen.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QProcess>

#include "Bench_Window.h"
#include "qt/Clock_Face.h"
#include "qt/Horavox_Application.h"

namespace {

constexpr int Starts = 10;

double Monotonic_Milliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Prints the time of the watched widget's first paint and ends the program.
class TFirst_Paint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            std::printf("%.3f\n", Monotonic_Milliseconds());
            std::fflush(stdout);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};

int Start_Child(int argc, char** argv, bool clock_window)
{
    THoravox_Application application(argc, argv);
    TFirst_Paint first_paint;
    std::unique_ptr<TBench_Windows> clock;
    QWidget bare;
    if (clock_window) {
        clock = Create_Clock_Windows(std::make_shared<TSystem_Clock>());
        clock->form->Time_Label->installEventFilter(&first_paint);
        clock->form->show();
    } else {
        bare.installEventFilter(&first_paint);
        bare.resize(235, 67);
        bare.show();
    }
    return QApplication::exec();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--child")
        return Start_Child(argc, argv, std::string(argv[2]) == "clock");

    QCoreApplication application(argc, argv);
    for (const char* window : {"bare", "clock"}) {
        std::vector<double> times;
        for (int start = 0; start < Starts; ++start) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            const double started = Monotonic_Milliseconds();
            child.start(QCoreApplication::applicationFilePath(), {"--child", window});
            if (!child.waitForFinished(30000) || child.exitCode() != 0) {
                std::printf("%s window: start %d failed\n", window, start + 1);
                return 1;
            }
            times.push_back(std::atof(child.readAllStandardOutput().constData()) - started);
        }
        std::printf("%-5s window: first paint %.1f ms after process start (median of %d; min %.1f, max %.1f)\n",
                    window, Median(times), Starts, *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()));
    }
    return 0;
}
