#include "clock/Error_Text.h"

#include <algorithm>

#include "engine/SoundPlayer.h"

std::string With_Full_Stop(const std::string& text)
{
    if (text.empty() || static_cast<unsigned char>(text.back()) <= static_cast<unsigned char>('.'))
        return text;
    return text + '.';
}

std::string Unhandled_Error_Text(const std::exception& error)
{
    const auto* device_error = dynamic_cast<const EMCIDeviceError*>(&error);
    if (device_error != nullptr && !device_error->File_Name().empty())
        return With_Full_Stop(device_error->Device_Text()) + "\n" + device_error->File_Name();
    return With_Full_Stop(error.what());
}

void TOpen_Error_Boxes::Show_Once(const std::string& text, const std::function<void()>& show)
{
    if (std::find(open_.begin(), open_.end(), text) != open_.end())
        return;
    open_.push_back(text);
    struct TClose_On_Exit {
        std::vector<std::string>& open;
        const std::string& text;
        ~TClose_On_Exit() { open.erase(std::find(open.begin(), open.end(), text)); }
    } close_on_exit{open_, text};
    show();
}
