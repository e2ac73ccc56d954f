// horavox-say: the talking clock's announcement from the command line.
#include <chrono>
#include <ctime>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <span>

#include "app/say/Say_Options.h"
#include "app/say/Say_Players.h"
#include "app/say/Say_Report.h"
#include "app/say/Say_Voice_Check.h"
#include "engine/Announcement_Engine.h"
#include "engine/Compose_Spoken_Time.h"
#include "engine/Plain_Engine_Host.h"
#include "audio/Output_Device.h"
#include "audio/Plain_Notice_Loop.h"
#include "system/Console.h"
#include "system/Files.h"
#include "system/Local_Time.h"
#include "audio/Sound_Output.h"
#include "audio/Wav_Convert.h"
#include "audio/Player_Set.h"
#include "audio/Wav_Render.h"
#include "settings/Settings_File.h"
#include "settings/Settings_Location.h"

namespace {

constexpr int Exit_Failure = 1;
constexpr int Exit_Usage = 2;
// An announcement is a few seconds; a chain that never ends must not hang a script.
constexpr auto Announcement_Time_Limit = std::chrono::seconds(120);

// Error boxes of a program without a window: the text goes to standard error
// and the run ends with a failure.
class TConsole_Errors {
public:
    void operator()(const std::string& text)
    {
        std::cerr << "horavox-say: " << text << "\n";
        shown = true;
    }
    bool shown = false;
};

TClock_Time Time_Now()
{
    const std::tm local = Local_Time(std::time(nullptr));
    return {local.tm_hour, local.tm_min};
}

std::uint32_t Seed_From_Clock()
{
    return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

ClockSettings Effective_Settings(const TSay_Options& options, const std::string& program_directory)
{
    // The file the clock keeps, or the site default it will start from.
    auto path = options.settings_file.value_or(Settings_Read_Path(Settings_Location()));
    ClockSettings settings = Load_Settings(path, program_directory);
    Apply_Say_Overrides(options, settings);
    // The clock's start-up repairs: an empty group gets its default, a missing
    // sound directory becomes the program directory.
    Repair_Option_Groups(settings);
    if (!Directory_Exists(settings.Sound_Directory_Edit))
        settings.Sound_Directory_Edit = program_directory;
    return settings;
}

// The engine holds back the first device error of an announcement (a word
// file that cannot be opened) until the other words are loaded and started.
// Those words are still heard, or rendered; the error is reported after them.
std::optional<std::string> Say_Time_Holding_Device_Error(TAnnouncement_Engine& engine, TClock_Time time)
{
    try {
        engine.Say_Time(time.hour, time.minute);
    } catch (const EMCIDeviceError& error) {
        return error.what();
    }
    return std::nullopt;
}

int Render_Announcement(ClockSettings& settings, TClock_Time time, TRandom_Source& random,
                        const std::string& program_directory, const std::string& output_path)
{
    // Loaded once for the run, not again for every file read.
    const TDecoder_Hold decoder;
    TConsole_Errors errors;
    TPlain_Notice_Loop loop;
    TPlain_Engine_Host host([&loop] { loop.Process_Messages(); }, std::ref(errors));
    std::array<TRender_Player, Slot_Count + 1> players;
    std::array<SoundPlayer*, Slot_Count> slot_players{};
    for (int i = 0; i < Slot_Count; ++i)
        slot_players[static_cast<std::size_t>(i)] = &players[static_cast<std::size_t>(i)];
    TAnnouncement_Engine engine(settings, host, slot_players, players[Slot_Count], random, program_directory);
    const auto device_error = Say_Time_Holding_Device_Error(engine, time);

    std::vector<TRender_Part> parts;
    for (int slot = 0; slot < Slot_Count; ++slot) {
        const auto& player = players[static_cast<std::size_t>(slot)];
        if (player.Is_Open())
            parts.push_back({player.FileName, player.Volume_Percent});
    }
    Render_Wav(parts, output_path);
    if (device_error)
        errors(*device_error);
    return errors.shown ? Exit_Failure : 0;
}

// No toolkit and no event loop of Qt's: the device is opened first, then the
// announcement loads its first word and starts it at once.
int Speak_Announcement(ClockSettings& settings, TClock_Time time, TRandom_Source& random,
                       const std::string& program_directory)
{
    TPlain_Notice_Loop loop;
    TSound_Output audio(loop);
    TPlayer_Set players(audio);
    TConsole_Errors errors;
    TPlain_Engine_Host host([&loop] { loop.Process_Messages(); }, std::ref(errors));
    TAnnouncement_Engine engine(settings, host, players.Slots(), players.Probe(), random, program_directory);
    audio.Ensure_Open();
    const auto device_error = Say_Time_Holding_Device_Error(engine, time);

    // The engine is idle again once the last sound has died away.
    const bool finished = loop.Run_Until([&] { return host.Is_Idle(); }, Announcement_Time_Limit);
    // Errors raised inside completion notices end the run with their text.
    if (const std::exception_ptr error = loop.Take_Error()) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& raised) {
            errors(raised.what());
        }
    }
    if (!finished)
        errors("the announcement did not finish in time");
    else if (device_error)
        errors(*device_error);
    return errors.shown ? Exit_Failure : 0;
}

bool Speaks(const TSay_Options& options)
{
    return !options.help && !options.show_settings && !options.check_voice && !options.print && !options.wav_file;
}

int Run(int argc, char** argv)
{
    TSay_Options options;
    try {
        options = Parse_Say_Arguments(Program_Arguments(argc, argv));
    } catch (const EUsage_Error& error) {
        std::cerr << "horavox-say: " << error.what() << "\n";
        return Exit_Usage;
    }
    if (options.help) {
        std::cout << Say_Usage();
        return 0;
    }

    // A run that speaks loads the sound client meanwhile it reads its
    // settings and its voice.
    std::optional<TOutput_Client_Preload> client_preload;
    if (Speaks(options))
        client_preload.emplace();

    try {
        std::string program_directory = Program_Directory();
        ClockSettings settings = Effective_Settings(options, program_directory);
        if (options.show_settings) {
            for (const auto& line : Settings_Report(settings))
                std::cout << line << "\n";
            return 0;
        }
        if (options.check_voice) {
            const TDecoder_Hold decoder;
            return Check_Voice(options.check_voice_directory.value_or(settings.Sound_Directory_Edit), settings);
        }
        TClock_Time time = options.time.value_or(Time_Now());
        TSeeded_Random random(options.seed.value_or(Seed_From_Clock()));
        if (options.print) {
            for (const auto& name : Announcement_File_Names(Compose_Spoken_Time(time.hour, time.minute, settings, random)))
                std::cout << name << "\n";
            return 0;
        }
        if (options.wav_file)
            return Render_Announcement(settings, time, random, program_directory, *options.wav_file);
        return Speak_Announcement(settings, time, random, program_directory);
    } catch (const std::exception& error) {
        std::cerr << "horavox-say: " << error.what() << "\n";
        return Exit_Failure;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Use_Utf8_Console();
    const int exit_code = Run(argc, argv);
    End_Program_If_Device_Hangs(exit_code);
    return exit_code;
}
