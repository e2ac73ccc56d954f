#pragma once
#include <functional>
#include <memory>

#include "system/Second_Timer.h"

// The second timer on Windows: a waitable timer armed with the absolute
// second (100 ns units, UTC), waited on by a thread of its own that posts the
// wake to the GUI thread, so that the wake arrives in whatever message loop
// runs there, a modal dialog's or a menu's included. nullptr when the system
// gives no timer. A wake after Stop() is dropped.
std::unique_ptr<TSecond_Timer> Make_Waitable_Second_Timer(std::function<void()> on_wake);
