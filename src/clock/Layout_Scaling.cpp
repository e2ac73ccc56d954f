#include "clock/Layout_Scaling.h"

#include "util/Text_Helpers.h"

#include <algorithm>
#include <limits>

namespace {

const std::string Field_Separator = " ";

Scale_Ratio Ratio_Of(int current, int base)
{
    if (base <= 0)
        return {};
    return {current, base};
}

// The name is the sixth field: what follows the fifth separator, up to the next.
std::string Name_Field(const std::string& line)
{
    std::string::size_type start = 0;
    for (int field = 1; field < 6; ++field) {
        const auto separator = line.find(Field_Separator, start);
        if (separator == std::string::npos)
            return {};
        start = separator + Field_Separator.size();
    }
    return line.substr(start, line.find(Field_Separator, start) - start);
}

}  // namespace

std::string Base_Layout_Header(int client_width, int client_height)
{
    return std::to_string(client_width) + " " + std::to_string(client_height) + " W/H Mainform1";
}

std::string Base_Layout_Line(const Control_Layout& control)
{
    std::string line;
    for (const int number : {control.left, control.width, control.top, control.height, control.font_points})
        line += std::to_string(number) + Field_Separator;
    return line + control.name;
}

int Scale_Ratio::Apply(int value) const
{
    // 64-bit products of 32-bit values cannot overflow; integer division truncates toward zero.
    const std::int64_t scaled = std::int64_t{value} * numerator / denominator;
    return static_cast<int>(std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

Scale_Ratios Compute_Scale_Ratios(const std::string& header_line, int client_width, int client_height)
{
    Scale_Ratios ratios;
    ratios.horizontal = Ratio_Of(client_width, Nth_Field_Integer(header_line, Field_Separator, 1));
    ratios.vertical = Ratio_Of(client_height, Nth_Field_Integer(header_line, Field_Separator, 2));
    // Compare the fractions by cross-multiplying (denominators are positive).
    const bool vertical_not_smaller = ratios.vertical.numerator * ratios.horizontal.denominator
                                      >= ratios.horizontal.numerator * ratios.vertical.denominator;
    ratios.font = vertical_not_smaller ? ratios.horizontal : ratios.vertical;
    return ratios;
}

std::optional<Control_Layout> Scale_Line(const std::string& line, const Scale_Ratios& ratios)
{
    if (line.size() <= 1)
        return std::nullopt;
    const auto field = [&](int n) { return Nth_Field_Integer(line, Field_Separator, n); };
    Control_Layout control;
    control.left = ratios.horizontal.Apply(field(1));
    control.width = ratios.horizontal.Apply(field(2));
    control.top = ratios.vertical.Apply(field(3));
    control.height = ratios.vertical.Apply(field(4));
    control.font_points = ratios.font.Apply(field(5));
    control.name = Name_Field(line);
    return control;
}
