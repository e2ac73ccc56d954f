#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/Sound_Capture.h"
#include "audio/Take_Cleaning.h"
#include "engine/Voice_Check.h"
#include "settings/ClockSettings.h"

// Recording one's own voice pack, word by word, without a toolkit: which
// words the pack needs and which it has, a take from the microphone that
// ends by itself after the word, cleaned and saved crash-safely, and the
// voice check at the end. The front end shows the notes it returns and
// reads the microphone through Pump() as often as it likes. Every limit on a
// take is counted in samples; only a microphone that sends nothing at all is
// judged by the time it is given.

enum class TWord_State { Missing, Recorded, Too_Long, Clipped };

struct TRecorder_Word {
    std::string File_Name;  // "13.WAV"
    std::string Spoken;     // "thirteen"
    // How the word is meant, where the number alone leaves it open.
    std::string Hint;
    TWord_State State = TWord_State::Missing;
    // A longer voice is kept but marked too long.
    double Longest_Seconds = 2.0;
};

// What the user wants recorded beyond the words the settings need.
struct TRecorder_Choices {
    bool Prefix = false;
    bool Suffix = false;
    bool Bells = false;
};

// The words, in recording order: those the settings' announcements speak
// (the numbers, AM and PM on the 12-hour clock) whatever the sound scheme,
// then a prefix, a suffix and the bells when chosen. All Missing.
std::vector<TRecorder_Word> Recorder_Words(const ClockSettings& settings, const TRecorder_Choices& choices);

// Reads which of the words `directory` already holds: a file that plays is
// Recorded, or Too_Long or Clipped as its samples show; anything else is Missing.
void Read_Word_States(const std::string& directory, std::vector<TRecorder_Word>& words);

// The first word from `from` on (wrapping round) that is not Recorded;
// words.size() when every one is.
std::size_t Next_Word_To_Record(const std::vector<TRecorder_Word>& words, std::size_t from);

// "recorded", "missing", "too long", "clipped".
std::string Word_State_Text(TWord_State state);

// The pack's directory by default: voices/<name>/ in the user's data
// directory, the name made one folder ("my-voice" when there is none).
std::string Default_Voice_Directory(const std::string& data_home, const std::string& name);

struct TRecorder_Note {
    enum class TKind {
        Listening_To_Room,
        Recording,
        Saved,
        // The take was not saved (nothing was heard), or saved with a flaw.
        Problem,
        Microphone_Failed,
        Write_Failed,
    };
    TKind Kind;
    std::size_t Word = 0;
    // For the screen and for a screen reader alike.
    std::string Text;
};

class TVoice_Recorder {
public:
    using TOpen_Microphone = std::function<std::unique_ptr<TSound_Capture>(int frequency)>;
    enum class TPhase { Idle, Listening_To_Room, Recording };

    // The room is heard this long before the first word.
    static constexpr int Room_Ms = 500;
    // A take with no voice ends after this long; one whose voice will not
    // end, this long after the longest a word may be.
    static constexpr int No_Voice_Limit_Ms = 6000;
    static constexpr int Overrun_Limit_Ms = 3000;
    // A microphone that sends nothing for this long while a take runs is
    // taken to be muted, switched off or held by another program.
    static constexpr std::chrono::seconds Silent_Microphone_Limit{3};
    using TTime = std::chrono::steady_clock::time_point;

    TVoice_Recorder(std::string directory, std::vector<TRecorder_Word> words, TOpen_Microphone open_microphone);
    ~TVoice_Recorder();
    TVoice_Recorder(const TVoice_Recorder&) = delete;
    TVoice_Recorder& operator=(const TVoice_Recorder&) = delete;

    const std::vector<TRecorder_Word>& Words() const { return words_; }
    const std::string& Directory() const { return directory_; }
    std::string Word_Path(std::size_t word) const;
    TPhase Phase() const { return phase_; }
    std::size_t Current_Word() const { return current_; }
    // The microphone's latest level in dB below full scale, for a meter.
    double Level_Dbfs() const { return level_dbfs_; }
    // The samples of the latest take as it was, for timing and checks.
    const std::vector<std::int16_t>& Last_Take() const { return take_; }
    // Where in the latest take the listener decided the word was over.
    std::size_t Last_Stop_Sample() const { return stop_sample_; }

    // Starts a take of `word`. The first take opens the microphone and hears
    // the room before it. A take already running is dropped.
    std::vector<TRecorder_Note> Record(std::size_t word);
    // Ends the take now, as if its silence had come.
    std::vector<TRecorder_Note> Stop();
    // Drops the take running, if any, and saves nothing.
    void Cancel();
    // Reads what the microphone has sent and takes the next step; `now` is
    // the time of the reading.
    std::vector<TRecorder_Note> Pump(TTime now);
    std::vector<TRecorder_Note> Pump() { return Pump(std::chrono::steady_clock::now()); }
    // Closes the microphone; the next take opens it again and hears the room anew.
    void Close_Microphone();
    // Moves the pack to another directory (created when a word is saved);
    // takes that could not be written before are written there now.
    std::vector<TRecorder_Note> Set_Directory(const std::string& directory);

    // Copies the bells not recorded from `bundled_directory`, then reads the
    // pack as `horavox-say --check-voice` does.
    TVoice_Check_Report Finish(const std::string& bundled_directory, const ClockSettings& settings);

private:
    std::vector<TRecorder_Note> Hear(std::span<const std::int16_t> samples);
    std::vector<TRecorder_Note> End_Take();
    std::vector<TRecorder_Note> Save(std::size_t word, const std::vector<std::int16_t>& samples);
    std::vector<TRecorder_Note> Microphone_Failed(const std::string& why);
    std::string Name(std::size_t word) const { return words_[word].Spoken; }

    std::string directory_;
    std::vector<TRecorder_Word> words_;
    TOpen_Microphone open_microphone_;
    std::unique_ptr<TSound_Capture> microphone_;
    TPhase phase_ = TPhase::Idle;
    std::size_t current_ = 0;
    bool room_heard_ = false;
    TNoise_Floor floor_;
    std::vector<std::int16_t> room_;
    std::vector<std::int16_t> take_;
    std::unique_ptr<TTake_Listener> listener_;
    std::size_t stop_sample_ = 0;
    double level_dbfs_ = -90;
    std::vector<std::int16_t> arrived_;
    // Since when the running take has had nothing from the microphone.
    std::optional<TTime> nothing_since_;
    // Cleaned takes whose file could not be written, by word.
    std::vector<std::pair<std::size_t, std::vector<std::int16_t>>> unsaved_;
};
