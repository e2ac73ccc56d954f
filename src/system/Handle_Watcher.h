#pragma once
#include <cstdint>
#include <functional>
#include <memory>

// A file descriptor on Linux, a waitable handle on Windows; an integer wide
// enough for either, so the interface reads the same on both.
using TWaitable_Handle = std::intptr_t;

// One handle being watched; the watching stops when it is destroyed, which
// is never inside its own callback (disable it there instead).
class THandle_Watch {
public:
    virtual ~THandle_Watch() = default;
    // A disabled watch keeps its handle but does not call back.
    virtual void Set_Enabled(bool enabled) = 0;
};

// The owner's event loop, as the system's services see it: they hand it a
// descriptor or handle to wait on instead of running a loop of their own.
// The front end provides it; it outlives every watch it gives out.
class THandle_Watcher {
public:
    virtual ~THandle_Watcher() = default;
    // Calls `on_ready` on the owner's thread whenever `handle` is ready: a
    // descriptor is readable, a handle signalled. It is called again as long
    // as the handle stays ready, so `on_ready` consumes what made it so.
    virtual std::unique_ptr<THandle_Watch> Watch(TWaitable_Handle handle, std::function<void()> on_ready) = 0;
};
