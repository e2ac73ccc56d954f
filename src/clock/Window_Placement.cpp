#include "clock/Window_Placement.h"

#include <algorithm>

namespace {

// Enough of the window to find it and drag it back by its menu bar.
constexpr int Grab_Width = 64;
constexpr int Grab_Height = 24;

long long Area(const TRect& rect)
{
    return rect.Is_Empty() ? 0 : static_cast<long long>(rect.width) * rect.height;
}

bool Can_Be_Grabbed(const TRect& frame, const TRect& screen)
{
    const TRect shown = Intersection(frame, screen);
    return shown.width >= std::min(frame.width, Grab_Width) && shown.height >= std::min(frame.height, Grab_Height);
}

constexpr int Coordinate_Limit = 1'000'000;
constexpr int Size_Limit = 100'000;

}  // namespace

TRect Intersection(const TRect& a, const TRect& b)
{
    if (a.Is_Empty() || b.Is_Empty())
        return {};
    // In long long: a right edge may lie past the range of int.
    const long long left = std::max(a.left, b.left);
    const long long top = std::max(a.top, b.top);
    const long long right = std::min(static_cast<long long>(a.left) + a.width, static_cast<long long>(b.left) + b.width);
    const long long bottom =
        std::min(static_cast<long long>(a.top) + a.height, static_cast<long long>(b.top) + b.height);
    if (right <= left || bottom <= top)
        return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

TRect Loaded_Frame(int left, int top, int width, int height)
{
    return {std::clamp(left, -Coordinate_Limit, Coordinate_Limit), std::clamp(top, -Coordinate_Limit, Coordinate_Limit),
            std::clamp(width, 1, Size_Limit), std::clamp(height, 1, Size_Limit)};
}

TRect Fit_Onto_Screens(const TRect& frame, const std::vector<TRect>& available_screens)
{
    if (available_screens.empty())
        return frame;
    for (const TRect& screen : available_screens)
        if (frame.width <= screen.width && frame.height <= screen.height && Can_Be_Grabbed(frame, screen))
            return frame;

    const TRect screen = *std::max_element(available_screens.begin(), available_screens.end(),
                                           [&](const TRect& a, const TRect& b) {
                                               return Area(Intersection(frame, a)) < Area(Intersection(frame, b));
                                           });
    const TRect target = Area(Intersection(frame, screen)) > 0 ? screen : available_screens.front();
    TRect fitted{frame.left, frame.top, std::min(frame.width, target.width), std::min(frame.height, target.height)};
    if (Can_Be_Grabbed(fitted, target))
        return fitted;
    fitted.left = std::clamp(fitted.left, target.left, target.left + target.width - fitted.width);
    fitted.top = std::clamp(fitted.top, target.top, target.top + target.height - fitted.height);
    return fitted;
}
