#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Sound coming in from a microphone, mono signed 16-bit at the rate it was
// opened with. It is read from the front end's thread, which takes what has
// arrived since the last read; the capture's own thread only stores it.
class TSound_Capture {
public:
    virtual ~TSound_Capture() = default;
    // Appends what has arrived since the last call. False once the capture
    // has stopped for good (the microphone was taken away, the server went):
    // what had arrived is still appended, and Failure() says why.
    virtual bool Read(std::vector<std::int16_t>& samples) = 0;
    virtual std::string Failure() const = 0;
};

// The system's default microphone, already capturing. Throws EHoravoxError
// with a message for the user when there is none, or it cannot be opened.
// On Linux it is the sound server's default source.
std::unique_ptr<TSound_Capture> Open_Microphone(int frequency);
