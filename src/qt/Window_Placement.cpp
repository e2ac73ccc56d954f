#include "qt/Window_Placement.h"

#include <algorithm>

namespace {

// Enough of the window to find it and drag it back by its menu bar.
constexpr int Grab_Width = 64;
constexpr int Grab_Height = 24;

long long Area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : static_cast<long long>(rect.width()) * rect.height();
}

bool Can_Be_Grabbed(const QRect& frame, const QRect& screen)
{
    const QRect shown = frame.intersected(screen);
    return shown.width() >= std::min(frame.width(), Grab_Width) &&
           shown.height() >= std::min(frame.height(), Grab_Height);
}

constexpr int Coordinate_Limit = 1'000'000;
constexpr int Size_Limit = 100'000;

}  // namespace

QRect Loaded_Frame(int left, int top, int width, int height)
{
    return QRect(std::clamp(left, -Coordinate_Limit, Coordinate_Limit), std::clamp(top, -Coordinate_Limit, Coordinate_Limit),
                 std::clamp(width, 1, Size_Limit), std::clamp(height, 1, Size_Limit));
}

QRect Fit_Onto_Screens(const QRect& frame, const QList<QRect>& available_screens)
{
    if (available_screens.isEmpty())
        return frame;
    for (const QRect& screen : available_screens)
        if (frame.width() <= screen.width() && frame.height() <= screen.height() && Can_Be_Grabbed(frame, screen))
            return frame;

    const QRect screen = *std::max_element(
        available_screens.begin(), available_screens.end(),
        [&](const QRect& a, const QRect& b) { return Area(frame.intersected(a)) < Area(frame.intersected(b)); });
    const QRect target = Area(frame.intersected(screen)) > 0 ? screen : available_screens.front();
    QRect fitted(frame.topLeft(), frame.size().boundedTo(target.size()));
    if (Can_Be_Grabbed(fitted, target))
        return fitted;
    fitted.moveLeft(std::clamp(fitted.left(), target.left(), target.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), target.top(), target.bottom() - fitted.height() + 1));
    return fitted;
}
