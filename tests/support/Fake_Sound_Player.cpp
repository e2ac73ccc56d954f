#include "support/Fake_Sound_Player.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

TFake_Sound_Player::TFake_Sound_Player(TFake_Sound_System& system, std::string label)
    : system_(system), label_(std::move(label))
{
}

void TFake_Sound_Player::Open()
{
    Close();
    if (const std::string* failure = system_.Open_Failure(FileName)) {
        system_.Record("open" + label_ + " failed");
        throw EMCIDeviceError(*failure, FileName);
    }
    if (!std::filesystem::is_regular_file(FileName)) {
        system_.Record("open" + label_ + " failed");
        throw EMCIDeviceError("Couldn't open '" + FileName + "'");
    }
    system_.Record("open" + label_);
    open_ = true;
}

void TFake_Sound_Player::Close()
{
    if (!open_)
        return;
    system_.Record("close" + label_);
    open_ = false;
    playing_ = false;
}

void TFake_Sound_Player::Play()
{
    if (!open_) {
        system_.Record("play" + label_ + " failed");
        throw EMCIDeviceError("No MCI device open");
    }
    system_.Record("play" + label_);
    if (playing_)
        system_.Queue_Notice(*this);
    playing_ = true;
}

void TFake_Sound_Player::Finish()
{
    if (!playing_)
        return;
    playing_ = false;
    system_.Queue_Notice(*this);
}

TFake_Sound_System::TFake_Sound_System() : probe_(*this, "probe")
{
    for (int number = 1; number <= 7; ++number)
        slots_.push_back(std::make_unique<TFake_Sound_Player>(*this, std::to_string(number)));
}

std::array<SoundPlayer*, 7> TFake_Sound_System::Slots()
{
    std::array<SoundPlayer*, 7> slots{};
    for (std::size_t i = 0; i < slots.size(); ++i)
        slots[i] = slots_[i].get();
    return slots;
}

TFake_Sound_Player& TFake_Sound_System::Slot(int number)
{
    return *slots_.at(static_cast<std::size_t>(number - 1));
}

void TFake_Sound_System::Fail_Open(const std::string& file_name, const std::string& text)
{
    open_failures_[file_name] = text;
}

const std::string* TFake_Sound_System::Open_Failure(const std::string& path) const
{
    const auto found = open_failures_.find(std::filesystem::path(path).filename().string());
    return found == open_failures_.end() ? nullptr : &found->second;
}

bool TFake_Sound_System::Release_Next_Notice()
{
    if (notices_.empty())
        return false;
    TFake_Sound_Player* player = notices_.front();
    notices_.pop_front();
    Record("notify" + player->Label());
    if (player->OnNotify)
        player->OnNotify();
    return true;
}

void TFake_Sound_System::Release_All_Notices()
{
    while (Release_Next_Notice()) {
    }
}

void TFake_Sound_System::Finish_Sound(int number)
{
    Slot(number).Finish();
    Release_All_Notices();
}

void TFake_Sound_System::Play_Out()
{
    // An announcement makes at most seven play requests per slot; far more
    // rounds than that means the chain loops.
    for (int round = 0; round < 1000; ++round) {
        if (Release_Next_Notice())
            continue;
        TFake_Sound_Player* playing = nullptr;
        for (auto& slot : slots_)
            if (slot->Is_Playing()) {
                playing = slot.get();
                break;
            }
        if (!playing)
            return;
        playing->Finish();
    }
    throw std::logic_error("the announcement never ends");
}
