#include "audio/Voice_Recorder.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "audio/Voice_Pack_Check.h"
#include "audio/Wav_Render.h"
#include "engine/Sound_Path.h"
#include "system/Files.h"
#include "system/Files_Read.h"
#include "system/Files_Safe_Write.h"
#include "util/Horavox_Error.h"

namespace {

// Words are short; an opening or closing phrase and a bell ring longer.
constexpr double Word_Seconds = 2.0;
constexpr double Phrase_Seconds = 5.0;

struct TWord_Text {
    const char* Spoken;
    const char* Hint;
};

const std::map<std::string, TWord_Text>& Word_Texts()
{
    static const std::map<std::string, TWord_Text> texts = {
        {"0", {"oh", "the \"oh\" of \"ten oh five\""}},
        {"1", {"one", ""}},
        {"2", {"two", ""}},
        {"3", {"three", ""}},
        {"4", {"four", ""}},
        {"5", {"five", ""}},
        {"6", {"six", ""}},
        {"7", {"seven", ""}},
        {"8", {"eight", ""}},
        {"9", {"nine", ""}},
        {"10", {"ten", ""}},
        {"11", {"eleven", ""}},
        {"12", {"twelve", ""}},
        {"13", {"thirteen", ""}},
        {"14", {"fourteen", ""}},
        {"15", {"fifteen", ""}},
        {"16", {"sixteen", ""}},
        {"17", {"seventeen", ""}},
        {"18", {"eighteen", ""}},
        {"19", {"nineteen", ""}},
        {"20", {"twenty", ""}},
        {"30", {"thirty", ""}},
        {"40", {"forty", ""}},
        {"50", {"fifty", ""}},
        {"AM", {"A M", "as in \"ten A M\""}},
        {"PM", {"P M", "as in \"ten P M\""}},
        {"PREFIX", {"your opening words", "said before every time, such as \"The time is\""}},
        {"SUFFIX", {"your closing words", "said after every time, such as \"precisely\""}},
        {"ding", {"one bell stroke", "strike a bell once, or say \"ding\""}},
        {"dingding", {"two bell strokes", "two strokes close together, or say \"ding ding\""}},
    };
    return texts;
}

TRecorder_Word Word(const std::string& file_name, double longest_seconds)
{
    const std::string stem = file_name.substr(0, file_name.rfind('.'));
    const auto text = Word_Texts().find(stem);
    TRecorder_Word word;
    word.File_Name = file_name;
    word.Spoken = text == Word_Texts().end() ? stem : text->second.Spoken;
    word.Hint = text == Word_Texts().end() ? "" : text->second.Hint;
    word.Longest_Seconds = longest_seconds;
    return word;
}

bool Is_Bell(const std::string& file_name)
{
    return file_name == "ding.WAV" || file_name == "dingding.WAV";
}

double Level_Of_Latest(std::span<const std::int16_t> samples)
{
    // The last 10 ms, as the meter shows it.
    const std::size_t count = std::min<std::size_t>(samples.size(), Render_Frequency / 100);
    if (count == 0)
        return -90;
    double sum = 0;
    for (const std::int16_t sample : samples.last(count))
        sum += static_cast<double>(sample) * sample;
    const double rms = std::sqrt(sum / static_cast<double>(count));
    return rms <= 0 ? -90 : std::max(-90.0, 20 * std::log10(rms / 32768.0));
}

std::size_t Samples_Of_Ms(long long ms)
{
    return static_cast<std::size_t>(ms * Render_Frequency / 1000);
}

}  // namespace

std::vector<TRecorder_Word> Recorder_Words(const ClockSettings& settings, const TRecorder_Choices& choices)
{
    ClockSettings spoken = settings;
    Select_Sound_Scheme(spoken, SoundScheme::NormalSounds);
    std::vector<TRecorder_Word> words;
    for (const auto& name : Voice_Word_Files())
        if (!Is_Bell(name) && Word_File_Needed(name, spoken))
            words.push_back(Word(name, Word_Seconds));
    if (choices.Prefix)
        words.push_back(Word("PREFIX.WAV", Phrase_Seconds));
    if (choices.Suffix)
        words.push_back(Word("SUFFIX.WAV", Phrase_Seconds));
    if (choices.Bells)
        for (const auto& name : Voice_Word_Files())
            if (Is_Bell(name))
                words.push_back(Word(name, Phrase_Seconds));
    return words;
}

void Read_Word_States(const std::string& directory, std::vector<TRecorder_Word>& words)
{
    for (auto& word : words) {
        word.State = TWord_State::Missing;
        const std::string path = Resolve_Path(Sound_File_Path(directory, word.File_Name));
        std::vector<std::int16_t> samples;
        std::string reason;
        if (path.empty() || !Decode_Wav(path, Render_Frequency, 1, samples, reason) || samples.empty())
            continue;
        const TTake_Problems problems = Saved_Take_Problems(samples, Render_Frequency, word.Longest_Seconds);
        word.State = problems.Clipped    ? TWord_State::Clipped
                     : problems.Too_Long ? TWord_State::Too_Long
                                         : TWord_State::Recorded;
    }
}

std::size_t Next_Word_To_Record(const std::vector<TRecorder_Word>& words, std::size_t from)
{
    for (std::size_t step = 0; step < words.size(); ++step) {
        const std::size_t index = (from + step) % words.size();
        if (words[index].State != TWord_State::Recorded)
            return index;
    }
    return words.size();
}

std::string Word_State_Text(TWord_State state)
{
    switch (state) {
    case TWord_State::Missing: return "missing";
    case TWord_State::Recorded: return "recorded";
    case TWord_State::Too_Long: return "too long";
    case TWord_State::Clipped: return "clipped";
    }
    return "";
}

std::string Default_Voice_Directory(const std::string& data_home, const std::string& name)
{
    std::string home = data_home;
    while (!home.empty() && home.back() == '/')
        home.pop_back();
    // The name is one folder under voices/, whatever is typed.
    std::string folder = name;
    std::replace(folder.begin(), folder.end(), '/', '-');
    if (folder.empty() || folder == "." || folder == "..")
        folder = "my-voice";
    return home + "/horavox/voices/" + folder + "/";
}

TVoice_Recorder::TVoice_Recorder(std::string directory, std::vector<TRecorder_Word> words,
                                 TOpen_Microphone open_microphone)
    : directory_(std::move(directory)), words_(std::move(words)), open_microphone_(std::move(open_microphone))
{
}

TVoice_Recorder::~TVoice_Recorder() = default;

std::string TVoice_Recorder::Word_Path(std::size_t word) const
{
    const std::string path = Sound_File_Path(directory_, words_[word].File_Name);
    // A file already there in another letter case is replaced, not doubled.
    const std::string existing = Resolve_Path(path);
    return existing.empty() ? path : existing;
}

std::vector<TRecorder_Note> TVoice_Recorder::Record(std::size_t word)
{
    Cancel();
    current_ = word;
    if (microphone_ != nullptr) {
        // What came while no take ran is no part of this one; a microphone
        // that went away meanwhile is opened anew.
        arrived_.clear();
        if (!microphone_->Read(arrived_))
            Close_Microphone();
    }
    if (microphone_ == nullptr) {
        try {
            microphone_ = open_microphone_(Render_Frequency);
        } catch (const EHoravoxError& error) {
            return {{TRecorder_Note::TKind::Microphone_Failed, word, error.what()}};
        }
        room_heard_ = false;
    }
    take_.clear();
    stop_sample_ = 0;
    nothing_since_.reset();
    if (!room_heard_) {
        room_.clear();
        phase_ = TPhase::Listening_To_Room;
        return {{TRecorder_Note::TKind::Listening_To_Room, word,
                 "Quiet please: listening to the room for half a second."}};
    }
    phase_ = TPhase::Recording;
    listener_ = std::make_unique<TTake_Listener>(floor_, Render_Frequency);
    return {{TRecorder_Note::TKind::Recording, word, "Recording. Say: " + Name(word)}};
}

void TVoice_Recorder::Cancel()
{
    phase_ = TPhase::Idle;
    listener_.reset();
}

void TVoice_Recorder::Close_Microphone()
{
    Cancel();
    microphone_.reset();
    room_heard_ = false;
}

std::vector<TRecorder_Note> TVoice_Recorder::Stop()
{
    if (phase_ == TPhase::Recording)
        return End_Take();
    Cancel();
    return {};
}

std::vector<TRecorder_Note> TVoice_Recorder::Pump(TTime now)
{
    if (microphone_ == nullptr)
        return {};
    arrived_.clear();
    const bool alive = microphone_->Read(arrived_);
    if (!arrived_.empty())
        level_dbfs_ = Level_Of_Latest(arrived_);
    if (phase_ == TPhase::Idle || !arrived_.empty() || !nothing_since_)
        nothing_since_ = now;
    else if (alive && now - *nothing_since_ >= Silent_Microphone_Limit)
        return Microphone_Failed("The microphone sends no sound: it may be muted, switched off or taken by another "
                                 "program. Every word saved so far is kept. Check it, then press Record again.");
    std::vector<TRecorder_Note> notes = Hear(arrived_);
    if (!alive) {
        auto failed = Microphone_Failed(microphone_->Failure());
        notes.insert(notes.end(), failed.begin(), failed.end());
    }
    return notes;
}

std::vector<TRecorder_Note> TVoice_Recorder::Hear(std::span<const std::int16_t> samples)
{
    std::vector<TRecorder_Note> notes;
    if (phase_ == TPhase::Listening_To_Room) {
        const std::size_t wanted = Samples_Of_Ms(Room_Ms) - room_.size();
        const std::size_t taken = std::min(wanted, samples.size());
        room_.insert(room_.end(), samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(taken));
        samples = samples.subspan(taken);
        if (room_.size() < Samples_Of_Ms(Room_Ms))
            return notes;
        floor_ = Measure_Noise_Floor(room_, Render_Frequency);
        room_heard_ = true;
        phase_ = TPhase::Recording;
        listener_ = std::make_unique<TTake_Listener>(floor_, Render_Frequency);
        notes.push_back({TRecorder_Note::TKind::Recording, current_, "Recording. Say: " + Name(current_)});
    }
    if (phase_ != TPhase::Recording || samples.empty())
        return notes;
    take_.insert(take_.end(), samples.begin(), samples.end());
    listener_->Hear(samples);
    const double longest = words_[current_].Longest_Seconds;
    const bool voice_over = listener_->Voice_Ended();
    const bool no_voice = !listener_->Heard_Voice() && take_.size() >= Samples_Of_Ms(No_Voice_Limit_Ms);
    const bool overrun =
        take_.size() >= Samples_Of_Ms(static_cast<long long>(longest * 1000) + Overrun_Limit_Ms);
    if (!voice_over && !no_voice && !overrun)
        return notes;
    if (voice_over) {
        // The rest of the piece came after the take had ended.
        stop_sample_ = listener_->Ended_At();
        take_.resize(stop_sample_);
    } else {
        stop_sample_ = take_.size();
    }
    auto ended = End_Take();
    notes.insert(notes.end(), ended.begin(), ended.end());
    return notes;
}

std::vector<TRecorder_Note> TVoice_Recorder::End_Take()
{
    Cancel();
    if (stop_sample_ == 0)
        stop_sample_ = take_.size();
    TRecorder_Word& word = words_[current_];
    const TClean_Take clean = Clean_Take(take_, floor_, Render_Frequency, word.Longest_Seconds);
    std::vector<std::string> advice = Problem_Advice(clean.Problems);
    if (clean.Samples.empty())
        return {{TRecorder_Note::TKind::Problem, current_, "Not saved. " + advice.front()}};
    std::vector<TRecorder_Note> notes = Save(current_, clean.Samples);
    if (notes.front().Kind == TRecorder_Note::TKind::Saved)
        word.State = clean.Problems.Clipped    ? TWord_State::Clipped
                     : clean.Problems.Too_Long ? TWord_State::Too_Long
                                               : TWord_State::Recorded;
    if (!advice.empty()) {
        std::string text = "Record it again if you can. ";
        for (const auto& line : advice)
            text += line + (&line == &advice.back() ? "" : " ");
        notes.push_back({TRecorder_Note::TKind::Problem, current_, text});
    }
    return notes;
}

std::vector<TRecorder_Note> TVoice_Recorder::Save(std::size_t word, const std::vector<std::int16_t>& samples)
{
    std::erase_if(unsaved_, [word](const auto& held) { return held.first == word; });
    std::error_code ignored;
    std::filesystem::create_directories(directory_, ignored);
    if (!Write_File_Safely(Word_Path(word), Pcm_Wav_Image(samples, Render_Frequency, 1))) {
        unsaved_.emplace_back(word, samples);
        return {{TRecorder_Note::TKind::Write_Failed, word,
                 "Cannot save " + Name(word) + " in " + directory_ +
                     ". The take is kept: choose a folder that can be written, and it is saved there."}};
    }
    return {{TRecorder_Note::TKind::Saved, word, "Saved: " + Name(word) + "."}};
}

std::vector<TRecorder_Note> TVoice_Recorder::Microphone_Failed(const std::string& why)
{
    std::vector<TRecorder_Note> notes;
    // A word already said is kept, with whatever silence came after it.
    if (phase_ == TPhase::Recording && listener_ != nullptr && listener_->Heard_Voice())
        notes = End_Take();
    Close_Microphone();
    notes.push_back({TRecorder_Note::TKind::Microphone_Failed, current_, why});
    return notes;
}

std::vector<TRecorder_Note> TVoice_Recorder::Set_Directory(const std::string& directory)
{
    Cancel();
    directory_ = directory;
    Read_Word_States(directory_, words_);
    std::vector<TRecorder_Note> notes;
    const auto held = unsaved_;
    for (const auto& [word, samples] : held) {
        auto saved = Save(word, samples);
        if (saved.front().Kind == TRecorder_Note::TKind::Saved) {
            std::vector<TRecorder_Word> one{words_[word]};
            Read_Word_States(directory_, one);
            words_[word].State = one.front().State;
        }
        notes.insert(notes.end(), saved.begin(), saved.end());
    }
    return notes;
}

TVoice_Check_Report TVoice_Recorder::Finish(const std::string& bundled_directory, const ClockSettings& settings)
{
    Cancel();
    for (const auto& name : Voice_Word_Files()) {
        if (!Is_Bell(name) || !Resolve_Path(Sound_File_Path(directory_, name)).empty())
            continue;
        std::string bytes;
        const std::string bundled = Resolve_Path(Sound_File_Path(bundled_directory, name));
        if (!bundled.empty() && Read_Regular_File(bundled, bytes) == TFile_Read::Read)
            Write_File_Safely(Sound_File_Path(directory_, name), bytes);
    }
    return Voice_Check_Report(directory_, Read_Voice_Pack(directory_, settings));
}
