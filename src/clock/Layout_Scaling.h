#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The window's first-show layout kept as text lines, and the arithmetic that
// scales every control from it when the window is resized. Sizes are always
// computed from the recorded base, so resizing never accumulates rounding.

// One visual control's geometry and font size.
struct Control_Layout {
    int left = 0;
    int width = 0;
    int top = 0;
    int height = 0;
    int font_points = 0;
    std::string name;

    bool operator==(const Control_Layout&) const = default;
};

// The line recorded for a non-visual component (menu, timer, dialog).
inline constexpr char Non_Visual_Layout_Line[] = "0";

// Line 0 of the record: "<client width> <client height> W/H Mainform1".
std::string Base_Layout_Header(int client_width, int client_height);

// "<left> <width> <top> <height> <font points> <name>" (width before top).
std::string Base_Layout_Line(const Control_Layout& control);

// current / base, kept as an exact fraction: a product that is a whole number
// must not come out a hair below it, as it can in floating point (27 x 13/3).
struct Scale_Ratio {
    std::int64_t numerator = 1;
    std::int64_t denominator = 1;

    double Value() const { return static_cast<double>(numerator) / static_cast<double>(denominator); }
    // value x ratio, truncated toward zero.
    int Apply(int value) const;
};

struct Scale_Ratios {
    Scale_Ratio horizontal;
    Scale_Ratio vertical;
    Scale_Ratio font;  // the smaller of the two, so text never outgrows its control
};

// The ratios of the current client size to the base size read from the
// header line. A base dimension of zero or less (a damaged record) scales
// that direction by 1 instead of dividing by zero.
Scale_Ratios Compute_Scale_Ratios(const std::string& header_line, int client_width, int client_height);

// A control line scaled by the ratios; nullopt for a line of one character or
// less (the non-visual components' "0").
std::optional<Control_Layout> Scale_Line(const std::string& line, const Scale_Ratios& ratios);
