#pragma once
#include "system/Handle_Watcher.h"

// Descriptors watched by Qt's event loop of the thread that makes the watch.
class TQt_Handle_Watcher final : public THandle_Watcher {
public:
    std::unique_ptr<THandle_Watch> Watch(TWaitable_Handle handle, std::function<void()> on_ready) override;
};
