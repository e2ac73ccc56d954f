#include "engine/Announcement_Engine.h"

#include <cstddef>
#include <utility>

#include "engine/Compose_Spoken_Time.h"
#include "engine/Missing_Sound_File_Message.h"
#include "engine/Sound_Path.h"
#include "system/Files.h"
#include "util/Text_Helpers.h"

namespace {

enum class TStep { Load, Start };
using TSteps = std::array<TStep, 14>;
constexpr TStep L = TStep::Load;
constexpr TStep G = TStep::Start;

// Loads take the seven files of an announcement in slot order; each method
// only differs in where the start requests fall between them.
constexpr TSteps Sequential_Steps{L, G, L, G, L, G, L, G, L, G, L, G, L, G};
constexpr TSteps Optimised_Steps{L, G, L, L, L, L, G, G, G, G, L, G, L, G};
constexpr TSteps Fastest_Steps{L, L, L, L, L, L, L, G, G, G, G, G, G, G};

const TSteps& Steps_Of(PlayMethod method)
{
    switch (method) {
    case PlayMethod::Sequential:
        return Sequential_Steps;
    case PlayMethod::Optimised:
        return Optimised_Steps;
    case PlayMethod::Fastest:
        break;
    }
    return Fastest_Steps;
}

// The bells may be missing from a voice pack; then the announcement takes
// them from the program directory. The user's own directory comes back
// however the announcement ends, unless the user left the bells or chose
// another directory meanwhile (the settings dialog can open while the
// announcement loads).
class TBells_Directory_Switch {
public:
    TBells_Directory_Switch(ClockSettings& settings, const std::string& program_directory)
        : settings_(settings), program_directory_(program_directory)
    {
        if (Sound_Scheme_Of(settings_) != SoundScheme::EightBells)
            return;
        if (File_Exists(Sound_File_Path(settings_.Sound_Directory_Edit, "ding.wav")))
            return;
        remembered_ = settings_.Sound_Directory_Edit;
        settings_.Sound_Directory_Edit = program_directory;
    }
    ~TBells_Directory_Switch()
    {
        if (remembered_ && Sound_Scheme_Of(settings_) == SoundScheme::EightBells &&
            settings_.Sound_Directory_Edit == program_directory_)
            settings_.Sound_Directory_Edit = std::move(*remembered_);
    }
    TBells_Directory_Switch(const TBells_Directory_Switch&) = delete;
    TBells_Directory_Switch& operator=(const TBells_Directory_Switch&) = delete;

private:
    ClockSettings& settings_;
    const std::string& program_directory_;
    std::optional<std::string> remembered_;
};

}  // namespace

TAnnouncement_Engine::TAnnouncement_Engine(ClockSettings& settings, TEngine_Host& host,
                                           std::array<SoundPlayer*, Slot_Count> slots, SoundPlayer& probe_player,
                                           TRandom_Source& random, std::string program_directory)
    : settings_(settings), host_(host), slots_(slots), probe_player_(probe_player), random_(random),
      program_directory_(std::move(program_directory))
{
    Slot(1).OnNotify = [this] { MediaPlayer1Notify(); };
    Slot(2).OnNotify = [this] { MediaPlayer2Notify(); };
    Slot(3).OnNotify = [this] { MediaPlayer3Notify(); };
    Slot(4).OnNotify = [this] { MediaPlayer4Notify(); };
    Slot(5).OnNotify = [this] { MediaPlayer5Notify(); };
    Slot(6).OnNotify = [this] { MediaPlayer6Notify(); };
    Slot(7).OnNotify = [this] { MediaPlayer7Notify(); };
}

TAnnouncement_Engine::~TAnnouncement_Engine()
{
    for (SoundPlayer* slot : slots_)
        slot->OnNotify = nullptr;
}

void TAnnouncement_Engine::Say_Time(int hour, int minute)
{
    // Ticks and clicks arrive while files load; they must not start a second
    // announcement over the first.
    if (!host_.Is_Idle())
        return;
    host_.Set_Idle(false);

    try {
        const SpokenTime spoken = Compose_Spoken_Time(hour, minute, settings_, random_);
        const TBells_Directory_Switch bells_switch(settings_, program_directory_);
        Load_And_Start(spoken);
    } catch (...) {
        // An announcement cut short may never see the notice that ends it.
        host_.Set_Idle(true);
        throw;
    }
    // Raised only now, with the user's sound directory back in place.
    if (device_error_)
        throw *std::exchange(device_error_, std::nullopt);
}

void TAnnouncement_Engine::Play_Spoken_Time(const SpokenTime& spoken)
{
    Load_And_Start(spoken);
    if (device_error_)
        throw *std::exchange(device_error_, std::nullopt);
}

void TAnnouncement_Engine::Load_And_Start(const SpokenTime& spoken)
{
    // An announcement can start inside another's loading (the settings command
    // frees the clock and ticks at once); the outer one is still loading when
    // the inner one returns, and its held-back error is still to be raised.
    const bool outer_loading = std::exchange(loading_, true);
    if (!outer_loading)
        device_error_.reset();
    try {
        Load_And_Start_Steps(spoken);
    } catch (...) {
        loading_ = outer_loading;
        throw;
    }
    loading_ = outer_loading;
    // Notices that came during loading may have ended the chain already; and
    // an announcement without a file in a slot gets no notice at all, which
    // would leave the clock silent for good.
    Set_Idle_When_Silent();
}

void TAnnouncement_Engine::Load_And_Start_Steps(const SpokenTime& spoken)
{
    const std::optional<PlayMethod> method = Play_Method_Of(settings_);
    if (!method)
        return;

    const std::array<std::string, Slot_Count> files{
        spoken.Prefix_File,           spoken.Hour_Word_1 + ".WAV", spoken.Hour_Word_2 + ".WAV",
        spoken.Minute_Word_1 + ".WAV", spoken.Minute_Word_2 + ".WAV", spoken.AM_PM_Word + ".WAV",
        spoken.Suffix_File,
    };
    std::size_t next_file = 0;
    for (const TStep step : Steps_Of(*method)) {
        if (step == TStep::Load) {
            Load_Sound_File(files.at(next_file), next_file == 0);
            ++next_file;
        } else {
            Start_First_Slot();
        }
    }
}

void TAnnouncement_Engine::Load_Sound_File(const std::string& name, bool reset)
{
    host_.Process_Messages();
    if (!Directory_Exists(settings_.Sound_Directory_Edit))
        settings_.Sound_Directory_Edit = program_directory_;
    const std::string path = Sound_File_Path(settings_.Sound_Directory_Edit, name);
    if (reset)
        Reset_Slots();

    if (!name.empty() && name != ".WAV") {
        if (File_Exists(path))
            Load_Into_Free_Slot(path);
        else if (settings_.Inform_Me_of_Missing_Sound_Files_CheckBox)
            host_.Show_Error_Box(Missing_Sound_File_Message(name, settings_.Sound_Directory_Edit));
    }

    host_.Process_Messages();
    host_.Process_Messages();
}

void TAnnouncement_Engine::Reset_Slots()
{
    loaded_sound_keys_.fill(std::string());
    for (SoundPlayer* slot : slots_) {
        slot->FileName.clear();
        slot->Shareable = host_.Shareable_Sound();
        slot->Close();
    }
}

// A file named twice in one announcement is loaded twice, so that 12:12 says
// both twelves and the bells strike their full count.
void TAnnouncement_Engine::Load_Into_Free_Slot(const std::string& path)
{
    std::size_t entry = 0;
    while (entry < loaded_sound_keys_.size() && !loaded_sound_keys_[entry].empty())
        ++entry;
    if (entry == loaded_sound_keys_.size())
        return;
    loaded_sound_keys_[entry] = Replace_All(path, ".WAV", "");
    if (entry >= slots_.size())
        return;

    SoundPlayer& slot = *slots_[entry];
    const std::string on_disk = Resolve_Path(path);
    slot.FileName = on_disk.empty() ? path : on_disk;
    slot.Volume_Percent = settings_.Volume_Percent;
    try {
        slot.Open();
    } catch (const EMCIDeviceError& error) {
        // A slot that cannot play would end the chain of notices there; the
        // next file takes the slot instead, and the error is shown once the
        // announcement is under way.
        slot.FileName.clear();
        loaded_sound_keys_[entry].clear();
        if (!device_error_)
            device_error_ = error;
    }
}

void TAnnouncement_Engine::Start_First_Slot()
{
    if (!Slot(1).FileName.empty())
        Slot(1).Play();
    host_.Process_Messages();
}

void TAnnouncement_Engine::Notify_Slot(int number)
{
    const int next = number + 1;
    try {
        if (!Slot(next).FileName.empty())
            Slot(next).Play();
    } catch (...) {
        // The chain of notices ends here, so no later handler would ever set
        // the idle flag; without this the clock would never speak again.
        host_.Set_Idle(true);
        throw;
    }
    host_.Process_Messages();
    for (int later = next; later <= Slot_Count; ++later)
        if (!Slot(later).FileName.empty())
            return;
    Set_Idle_When_Silent();
}

void TAnnouncement_Engine::Set_Idle_When_Silent()
{
    if (loading_)
        return;
    for (const SoundPlayer* slot : slots_)
        if (slot->Is_Sounding())
            return;
    host_.Set_Idle(true);
}

void TAnnouncement_Engine::MediaPlayer1Notify() { Notify_Slot(1); }
void TAnnouncement_Engine::MediaPlayer2Notify() { Notify_Slot(2); }
void TAnnouncement_Engine::MediaPlayer3Notify() { Notify_Slot(3); }
void TAnnouncement_Engine::MediaPlayer4Notify() { Notify_Slot(4); }
void TAnnouncement_Engine::MediaPlayer5Notify() { Notify_Slot(5); }
void TAnnouncement_Engine::MediaPlayer6Notify() { Notify_Slot(6); }
void TAnnouncement_Engine::MediaPlayer7Notify() { Set_Idle_When_Silent(); }

void TAnnouncement_Engine::Load_Test_Sound()
{
    const std::string path = Sound_File_Path(program_directory_, "testsnd.wav");
    const std::string on_disk = Resolve_Path(path);
    probe_player_.FileName = on_disk.empty() ? path : on_disk;
    probe_player_.Volume_Percent = settings_.Volume_Percent;
}

void TAnnouncement_Engine::Play_Test_Sound()
{
    Load_Test_Sound();
    probe_player_.Open();
    probe_player_.Play();
}

void TAnnouncement_Engine::Test_Shareability()
{
    Load_Test_Sound();
    probe_player_.Shareable = true;
    host_.Set_Shareable_Sound(true);
    try {
        probe_player_.Open();
    } catch (const EMCIDeviceError&) {
        host_.Set_Shareable_Sound(false);
    }
    probe_player_.Close();
}
