#include "app/say/Say_Voice_Check.h"

#include <iostream>

#include "audio/Voice_Pack_Check.h"
#include "engine/Voice_Check.h"

int Check_Voice(const std::string& directory, const ClockSettings& settings)
{
    const TVoice_Check_Report report = Voice_Check_Report(directory, Read_Voice_Pack(directory, settings));
    for (const auto& line : report.Lines)
        std::cout << line << "\n";
    return report.Passed ? 0 : 1;
}
