#pragma once
#include <functional>
#include <string>

#include "util/Horavox_Error.h"

// A device error of a sound-player slot; the text is the sound system's own.
// One raised by opening a file also names the file, on a line after the
// device's text, so the user knows which recording to replace.
class EMCIDeviceError : public EHoravoxError {
public:
    explicit EMCIDeviceError(const std::string& device_text) : EHoravoxError(device_text), device_text_(device_text) {}
    EMCIDeviceError(const std::string& device_text, const std::string& file_name)
        : EHoravoxError(file_name.empty() ? device_text : device_text + "\n" + file_name), device_text_(device_text),
          file_name_(file_name)
    {
    }

    const std::string& Device_Text() const { return device_text_; }
    // Empty when the error is not about one file.
    const std::string& File_Name() const { return file_name_; }

private:
    std::string device_text_;
    std::string file_name_;
};

// One sound-player slot. Open and Close are synchronous; Play returns at once
// and OnNotify runs on the GUI thread once per play request: when the sound
// ends, or at once when a new request finds the slot still playing (superseded).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    std::string FileName;
    bool Shareable = false;
    // The clock's volume, a linear factor applied to the sound when the file is opened.
    int Volume_Percent = 100;
    std::function<void()> OnNotify;

    // Closes first if open; throws EMCIDeviceError when the file cannot be opened
    // (the slot then stays closed).
    virtual void Open() = 0;
    // Does nothing when closed; never throws.
    virtual void Close() = 0;
    // Throws EMCIDeviceError("No MCI device open") when closed; rewinds a file
    // that has played to its end; continues a file that is still playing.
    virtual void Play() = 0;
    virtual bool Is_Open() const = 0;
    // Playing, or waiting to play after the sounds asked for before it.
    virtual bool Is_Sounding() const = 0;
};
