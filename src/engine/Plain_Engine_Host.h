#pragma once
#include <functional>
#include <string>
#include <utility>

#include "engine/Announcement_Engine.h"

// The engine's host for a program without a clock window: the idle and
// shareable flags are plain values, pending messages are those of whatever
// loop the program runs, and the error box is whatever stands in for one.
class TPlain_Engine_Host : public TEngine_Host {
public:
    TPlain_Engine_Host(std::function<void()> process_messages, std::function<void(const std::string&)> show_error_box)
        : process_messages_(std::move(process_messages)), show_error_box_(std::move(show_error_box))
    {
    }

    void Process_Messages() override { process_messages_(); }
    void Show_Error_Box(const std::string& text) override { show_error_box_(text); }
    bool Is_Idle() const override { return idle_; }
    void Set_Idle(bool idle) override { idle_ = idle; }
    bool Shareable_Sound() const override { return shareable_; }
    void Set_Shareable_Sound(bool shareable) override { shareable_ = shareable; }

private:
    std::function<void()> process_messages_;
    std::function<void(const std::string&)> show_error_box_;
    bool idle_ = true;
    bool shareable_ = false;
};
