#pragma once
#include <functional>
#include <string>

#include <QCoreApplication>

#include "engine/Announcement_Engine.h"

// The engine's host for a program without a clock window: pending messages
// are the Qt event queue's, and the idle and shareable flags plain values.
class TEvent_Loop_Host : public TEngine_Host {
public:
    explicit TEvent_Loop_Host(std::function<void(const std::string&)> show_error_box)
        : show_error_box_(std::move(show_error_box))
    {
    }

    void Process_Messages() override { QCoreApplication::processEvents(); }
    void Show_Error_Box(const std::string& text) override { show_error_box_(text); }
    bool Is_Idle() const override { return idle_; }
    void Set_Idle(bool idle) override { idle_ = idle; }
    bool Shareable_Sound() const override { return shareable_; }
    void Set_Shareable_Sound(bool shareable) override { shareable_ = shareable; }

private:
    std::function<void(const std::string&)> show_error_box_;
    bool idle_ = true;
    bool shareable_ = false;
};
