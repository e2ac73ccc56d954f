#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QTimer>

#include "audio/Voice_Recorder.h"
#include "engine/SoundPlayer.h"
#include "settings/ClockSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class TLive_Region;

// What the recorder is given by the clock (or by a test).
struct TVoice_Recorder_Services {
    // The voice beside the program, whose bells a new pack takes.
    std::string Bundled_Directory;
    // The user's data directory; the pack goes to voices/<name>/ in it.
    std::string Data_Home;
    TVoice_Recorder::TOpen_Microphone Open_Microphone;
    // A player for hearing a take back.
    std::function<std::shared_ptr<SoundPlayer>()> Make_Player;
    // Points the clock's sound directory at the pack.
    std::function<void(const std::string& directory)> Use_Voice;
    std::function<void()> Say_Time;
};

// "Record Your Own Voice": the words the settings need, each with its state,
// taken one at a time from the microphone, cleaned and saved into a pack,
// then checked. Every control answers a key as well as a click, and every
// change of state is spoken by a screen reader through the status line.
class TVoice_Recorder_Dlg : public QDialog {
    Q_OBJECT
public:
    TVoice_Recorder_Dlg(const ClockSettings& settings, TVoice_Recorder_Services services, QWidget* parent);
    ~TVoice_Recorder_Dlg() override;
    TVoice_Recorder_Dlg(const TVoice_Recorder_Dlg&) = delete;
    TVoice_Recorder_Dlg& operator=(const TVoice_Recorder_Dlg&) = delete;

    const TVoice_Recorder& Recorder() const { return *recorder_; }

    // Records the word shown, or stops the take running.
    void Record_ButtonClick();
    // Plays the latest word saved, or the word shown when it is recorded.
    void Play_ButtonClick();
    // Records the latest word saved again.
    void Redo_ButtonClick();
    // Shows the next word still to record.
    void Next_ButtonClick();
    void Finish_ButtonClick();
    void Use_Voice_ButtonClick();
    void Say_Time_ButtonClick();
    void Choose_Directory_ButtonClick();

    QLineEdit* Voice_Name_Edit = nullptr;
    QLineEdit* Directory_Edit = nullptr;
    QPushButton* Choose_Directory_Button = nullptr;
    QCheckBox* Prefix_CheckBox = nullptr;
    QCheckBox* Suffix_CheckBox = nullptr;
    QCheckBox* Bells_CheckBox = nullptr;
    QListWidget* Word_List = nullptr;
    QLabel* Say_Label = nullptr;
    QLabel* Hint_Label = nullptr;
    QProgressBar* Level_Meter = nullptr;
    TLive_Region* Status_Label = nullptr;
    QLabel* Advice_Label = nullptr;
    QPushButton* Record_Button = nullptr;
    QPushButton* Play_Button = nullptr;
    QPushButton* Redo_Button = nullptr;
    QPushButton* Next_Button = nullptr;
    QPushButton* Finish_Button = nullptr;
    QPlainTextEdit* Check_Report = nullptr;
    QPushButton* Use_Voice_Button = nullptr;
    QPushButton* Say_Time_Button = nullptr;
    QPushButton* Close_Button = nullptr;

protected:
    void done(int result) override;

private:
    void Create_Controls();
    TRecorder_Choices Choices() const;
    // A new session for the choices and the folder, reading what the folder holds.
    void Start_Session();
    void Voice_Name_Changed();
    void Show_Words();
    void Show_Word(std::size_t word);
    void Pump();
    void Handle(const std::vector<TRecorder_Note>& notes);
    void Play(std::size_t word);
    void Stop_Playing();
    void Update_Buttons();
    std::size_t Word_To_Play() const;

    ClockSettings settings_;
    TVoice_Recorder_Services services_;
    std::unique_ptr<TVoice_Recorder> recorder_;
    std::shared_ptr<SoundPlayer> player_;
    QTimer pump_timer_;
    std::size_t shown_ = 0;
    std::optional<std::size_t> last_saved_;
    // The folder follows the voice's name until the user picks one.
    bool directory_chosen_ = false;
};
