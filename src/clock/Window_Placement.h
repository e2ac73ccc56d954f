#pragma once
#include <vector>

// A rectangle of screen pixels: its top-left corner and its size.
struct TRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool Is_Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const TRect&) const = default;
};

// The part two rectangles share; empty when they do not meet.
TRect Intersection(const TRect& a, const TRect& b);

// A window placed from the settings file where no screen shows it (a monitor
// since unplugged, a hand-edited file) would be lost to the user: it is moved
// onto the screen it overlaps most, or the first one, and shrunk to fit it.
// A window of which enough shows to be grabbed stays where it is.
// The frame a settings file asks for, with numbers no screen could hold
// brought into a range where the rectangle's arithmetic cannot overflow.
TRect Loaded_Frame(int left, int top, int width, int height);

TRect Fit_Onto_Screens(const TRect& frame, const std::vector<TRect>& available_screens);
