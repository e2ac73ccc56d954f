#pragma once
#include <cstdint>
#include <memory>
#include <thread>

// The format the sound output runs in: signed 16-bit samples, interleaved.
struct TOutput_Format {
    int Frequency = 0;
    int Channels = 0;
};

// One open stream to the system's sound device. The device's own thread asks
// `fill` for sound, into a buffer that is already silent; the output behind
// it keeps the voice queue, so a device is no more than a way to the
// speakers: the sound server's own client, SDL's output, or the wave device.
class TOutput_Device {
public:
    using TFill = void (*)(void* argument, std::uint8_t* buffer, int length);
    // The stream broke off (its server went away); called once, on the
    // device's thread. The device plays nothing more and should be replaced.
    using TLost = void (*)(void* argument);

    // After Close; releases what the device loaded.
    virtual ~TOutput_Device() = default;

    // `fill` is called no more once this returns; what it gave still plays.
    virtual void Stop_Filling() = 0;
    // A sound was asked for after silence: a device that holds silence
    // already sent but not yet played sends the sound over it, so it starts
    // as soon as the device can play anything new. Others do nothing.
    virtual void Start_Now() = 0;
    // While locked, `fill` is not running and will not start.
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // The stream was lost by no longer answering rather than by breaking
    // off: a sound server that has stopped, which a new stream would wait
    // on as well.
    virtual bool Hangs() const { return false; }
    // Lets what was filled play out and closes the stream. It may take a
    // while, so the output calls it on a thread of its own.
    virtual void Close() = 0;
};

// The system's output that opens first, in `format` when that is set (the
// sounds already decoded are in it), else in the device's own choice, which
// is written back. Throws EMCIDeviceError with the system's text.
std::unique_ptr<TOutput_Device> Open_Output_Device(TOutput_Format& format, TOutput_Device::TFill fill,
                                                   TOutput_Device::TLost lost, void* argument);

// Loads the system's sound client on a thread of its own, for an output
// that is about to open, while the program gets its first sound ready; the
// opening then finds it loaded, or waits for the rest. Loading it was most
// of the time before the first sound. The object waits for the loading when
// it goes. Opening the device is left to the output: its errors are
// reported as ever.
class TOutput_Client_Preload {
public:
    TOutput_Client_Preload();
    ~TOutput_Client_Preload();
    TOutput_Client_Preload(const TOutput_Client_Preload&) = delete;
    TOutput_Client_Preload& operator=(const TOutput_Client_Preload&) = delete;

private:
    std::thread loader_;
};

// Returns unless a device that stopped answering was left to its own thread
// (a sound server that hangs): the program then ends here with `exit_code`,
// its output flushed, without unloading the system's sound driver, which at a
// normal end would wait on that server for ever or fail in its own cleanup.
void End_Program_If_Device_Hangs(int exit_code);
