#include "qt/Voice_Recorder_Dlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "qt/Live_Region.h"
#include "system/Files.h"

namespace {

// The microphone is read this often: the meter moves smoothly and a take
// ends within a few milliseconds of its silence.
constexpr int Pump_Ms = 10;
// The meter shows the level from -60 dBFS (empty) to full scale.
constexpr int Meter_Floor_Db = 60;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Item_Text(const TRecorder_Word& word)
{
    return Q(word.Spoken + " (" + word.File_Name + "): " + Word_State_Text(word.State));
}

QPushButton* Add_Button(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TVoice_Recorder_Dlg::TVoice_Recorder_Dlg(const ClockSettings& settings, TVoice_Recorder_Services services,
                                         QWidget* parent)
    : QDialog(parent), settings_(settings), services_(std::move(services))
{
    setObjectName("Voice_Recorder_Dlg");
    setWindowTitle("Record Your Own Voice");
    setModal(true);
    Create_Controls();
    pump_timer_.setInterval(Pump_Ms);
    connect(&pump_timer_, &QTimer::timeout, this, &TVoice_Recorder_Dlg::Pump);
    Start_Session();
}

TVoice_Recorder_Dlg::~TVoice_Recorder_Dlg()
{
    Stop_Playing();
}

void TVoice_Recorder_Dlg::Create_Controls()
{
    auto* layout = new QVBoxLayout(this);

    auto* where = new QGridLayout();
    Voice_Name_Edit = new QLineEdit("my-voice", this);
    Voice_Name_Edit->setObjectName("Voice_Name_Edit");
    auto* name_label = new QLabel("Voice &name:", this);
    name_label->setBuddy(Voice_Name_Edit);
    Directory_Edit = new QLineEdit(this);
    Directory_Edit->setObjectName("Directory_Edit");
    Directory_Edit->setReadOnly(true);
    auto* directory_label = new QLabel("Folder:", this);
    directory_label->setBuddy(Directory_Edit);
    Directory_Edit->setAccessibleName("Folder");
    Choose_Directory_Button = Add_Button(this, "Choose_Directory_Button", "C&hoose Folder...",
                                         "Picks or creates the folder the voice's files are saved in.");
    where->addWidget(name_label, 0, 0);
    where->addWidget(Voice_Name_Edit, 0, 1, 1, 2);
    where->addWidget(directory_label, 1, 0);
    where->addWidget(Directory_Edit, 1, 1);
    where->addWidget(Choose_Directory_Button, 1, 2);
    layout->addLayout(where);

    auto* choices = new QHBoxLayout();
    Prefix_CheckBox = new QCheckBox("Also a pr&efix (said before the time)", this);
    Prefix_CheckBox->setObjectName("Prefix_CheckBox");
    Suffix_CheckBox = new QCheckBox("Also a s&uffix (said after it)", this);
    Suffix_CheckBox->setObjectName("Suffix_CheckBox");
    Bells_CheckBox = new QCheckBox("Also the &bells", this);
    Bells_CheckBox->setObjectName("Bells_CheckBox");
    Bells_CheckBox->setToolTip("Without them, the pack takes the bells of the voice that comes with the clock.");
    Bells_CheckBox->setAccessibleDescription(Bells_CheckBox->toolTip());
    for (QCheckBox* box : {Prefix_CheckBox, Suffix_CheckBox, Bells_CheckBox}) {
        choices->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { Start_Session(); });
    }
    choices->addStretch();
    layout->addLayout(choices);

    auto* middle = new QHBoxLayout();
    auto* list_column = new QVBoxLayout();
    auto* list_label = new QLabel("&Words:", this);
    Word_List = new QListWidget(this);
    Word_List->setObjectName("Word_List");
    Word_List->setAccessibleName("Words");
    list_label->setBuddy(Word_List);
    Word_List->setMinimumWidth(250);
    list_column->addWidget(list_label);
    list_column->addWidget(Word_List);
    middle->addLayout(list_column);

    auto* take_column = new QVBoxLayout();
    Say_Label = new QLabel(this);
    Say_Label->setObjectName("Say_Label");
    QFont large = Say_Label->font();
    large.setPointSizeF(large.pointSizeF() * 2.4);
    large.setBold(true);
    Say_Label->setFont(large);
    Say_Label->setAlignment(Qt::AlignCenter);
    Say_Label->setMinimumHeight(70);
    Hint_Label = new QLabel(this);
    Hint_Label->setObjectName("Hint_Label");
    Hint_Label->setAlignment(Qt::AlignCenter);
    Level_Meter = new QProgressBar(this);
    Level_Meter->setObjectName("Level_Meter");
    Level_Meter->setAccessibleName("Microphone level");
    Level_Meter->setRange(0, Meter_Floor_Db);
    Level_Meter->setValue(0);
    Level_Meter->setFormat("Level");
    Status_Label = new TLive_Region(this);
    Status_Label->setObjectName("Status_Label");
    Status_Label->setMinimumHeight(40);
    Advice_Label = new QLabel(this);
    Advice_Label->setObjectName("Advice_Label");
    Advice_Label->setWordWrap(true);
    Advice_Label->setStyleSheet("color: #a03000;");

    auto* buttons = new QHBoxLayout();
    Record_Button = Add_Button(this, "Record_Button", "&Record", "Records the word shown (key R); again, stops.");
    Play_Button = Add_Button(this, "Play_Button", "&Play", "Plays the word just saved (key P).");
    Redo_Button = Add_Button(this, "Redo_Button", "Re&do", "Records the word just saved again (key D).");
    Next_Button = Add_Button(this, "Next_Button", "&Next", "Goes to the next word still to record (key N).");
    for (QPushButton* button : {Record_Button, Play_Button, Redo_Button, Next_Button})
        buttons->addWidget(button);
    connect(Record_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Record_ButtonClick);
    connect(Play_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Play_ButtonClick);
    connect(Redo_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Redo_ButtonClick);
    connect(Next_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Next_ButtonClick);

    take_column->addWidget(Say_Label);
    take_column->addWidget(Hint_Label);
    take_column->addWidget(Level_Meter);
    take_column->addLayout(buttons);
    take_column->addWidget(Status_Label);
    take_column->addWidget(Advice_Label);
    take_column->addStretch();
    middle->addLayout(take_column, 1);
    layout->addLayout(middle, 1);

    Check_Report = new QPlainTextEdit(this);
    Check_Report->setObjectName("Check_Report");
    Check_Report->setAccessibleName("Voice check");
    Check_Report->setReadOnly(true);
    // The check's columns line up as horavox-say prints them.
    Check_Report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Check_Report->setMaximumHeight(110);
    Check_Report->setPlaceholderText("Finish runs the voice check on the pack.");
    layout->addWidget(Check_Report);

    auto* bottom = new QHBoxLayout();
    Finish_Button = Add_Button(this, "Finish_Button", "&Finish",
                               "Adds the bells if needed and checks the pack (key F).");
    Use_Voice_Button = Add_Button(this, "Use_Voice_Button", "&Use This Voice",
                                  "Sets the clock's sound directory to this pack.");
    Say_Time_Button = Add_Button(this, "Say_Time_Button", "Say the &Time", "Speaks the time once, as a trial.");
    Close_Button = Add_Button(this, "Close_Button", "Close", "Closes the recorder; every saved word stays.");
    bottom->addWidget(Finish_Button);
    bottom->addWidget(Use_Voice_Button);
    bottom->addWidget(Say_Time_Button);
    bottom->addStretch();
    bottom->addWidget(Close_Button);
    layout->addLayout(bottom);
    connect(Finish_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Finish_ButtonClick);
    connect(Use_Voice_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Use_Voice_ButtonClick);
    connect(Say_Time_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Say_Time_ButtonClick);
    connect(Close_Button, &QPushButton::clicked, this, &QDialog::reject);
    connect(Choose_Directory_Button, &QPushButton::clicked, this, &TVoice_Recorder_Dlg::Choose_Directory_ButtonClick);
    connect(Voice_Name_Edit, &QLineEdit::editingFinished, this, &TVoice_Recorder_Dlg::Voice_Name_Changed);
    connect(Word_List, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) != shown_ &&
            recorder_->Phase() == TVoice_Recorder::TPhase::Idle)
            Show_Word(static_cast<std::size_t>(row));
    });

    Use_Voice_Button->setEnabled(false);
    Say_Time_Button->setEnabled(false);

    // Single keys, besides the buttons' Alt keys; a text field keeps its letters.
    const struct {
        const char* key;
        QPushButton* button;
    } keys[] = {
        {"R", Record_Button}, {"P", Play_Button},      {"D", Redo_Button},     {"N", Next_Button},
        {"F", Finish_Button}, {"U", Use_Voice_Button}, {"T", Say_Time_Button},
    };
    for (const auto& key : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key.key), this);
        connect(shortcut, &QShortcut::activated, key.button, &QPushButton::click);
    }
    resize(720, 520);
    Record_Button->setFocus();
}

TRecorder_Choices TVoice_Recorder_Dlg::Choices() const
{
    return {Prefix_CheckBox->isChecked(), Suffix_CheckBox->isChecked(), Bells_CheckBox->isChecked()};
}

void TVoice_Recorder_Dlg::Start_Session()
{
    Stop_Playing();
    std::string directory = recorder_ ? recorder_->Directory() : "";
    if (!directory_chosen_)
        directory = Default_Voice_Directory(services_.Data_Home, QFile::encodeName(Voice_Name_Edit->text().trimmed()).toStdString());
    auto words = Recorder_Words(settings_, Choices());
    Read_Word_States(directory, words);
    recorder_ = std::make_unique<TVoice_Recorder>(directory, std::move(words), services_.Open_Microphone);
    pump_timer_.stop();
    last_saved_.reset();
    Directory_Edit->setText(QFile::decodeName(directory.c_str()));
    Show_Words();
    const auto& all = recorder_->Words();
    const std::size_t next = Next_Word_To_Record(all, 0);
    const auto recorded = static_cast<std::size_t>(
        std::count_if(all.begin(), all.end(), [](const auto& word) { return word.State == TWord_State::Recorded; }));
    Show_Word(next < all.size() ? next : 0);
    Status_Label->Announce(QString("%1 of %2 words recorded. Say: %3. Press R to record.")
                               .arg(recorded)
                               .arg(all.size())
                               .arg(Q(all[shown_].Spoken)));
}

void TVoice_Recorder_Dlg::Voice_Name_Changed()
{
    if (directory_chosen_ || recorder_->Phase() != TVoice_Recorder::TPhase::Idle)
        return;
    const std::string directory =
        Default_Voice_Directory(services_.Data_Home, QFile::encodeName(Voice_Name_Edit->text().trimmed()).toStdString());
    if (directory != recorder_->Directory())
        Start_Session();
}

void TVoice_Recorder_Dlg::Choose_Directory_ButtonClick()
{
    const QString chosen =
        QFileDialog::getExistingDirectory(this, "Folder for the Voice", Directory_Edit->text());
    if (chosen.isEmpty())
        return;
    recorder_->Cancel();
    directory_chosen_ = true;
    Handle(recorder_->Set_Directory(QFile::encodeName(chosen).toStdString() + Path_Delimiter));
    Directory_Edit->setText(chosen);
    last_saved_.reset();
    Show_Words();
    // A folder that holds part of a pack goes on from its first word missing.
    const auto& words = recorder_->Words();
    const std::size_t next = Next_Word_To_Record(words, 0);
    Show_Word(next < words.size() ? next : shown_);
    Status_Label->Announce("Folder: " + chosen + ". " + Say_Label->text() + ".");
}

void TVoice_Recorder_Dlg::Show_Words()
{
    const auto& words = recorder_->Words();
    const int current = Word_List->currentRow();
    if (Word_List->count() != static_cast<int>(words.size())) {
        Word_List->clear();
        for (const auto& word : words)
            Word_List->addItem(Item_Text(word));
    } else {
        for (std::size_t i = 0; i < words.size(); ++i)
            Word_List->item(static_cast<int>(i))->setText(Item_Text(words[i]));
    }
    if (current >= 0 && current < Word_List->count())
        Word_List->setCurrentRow(current);
    Update_Buttons();
}

void TVoice_Recorder_Dlg::Show_Word(std::size_t word)
{
    shown_ = word;
    const TRecorder_Word& shown = recorder_->Words()[word];
    Say_Label->setText(Q("Say: " + shown.Spoken));
    Hint_Label->setText(Q(shown.Hint));
    Word_List->setCurrentRow(static_cast<int>(word));
    Update_Buttons();
}

void TVoice_Recorder_Dlg::Record_ButtonClick()
{
    if (recorder_->Phase() != TVoice_Recorder::TPhase::Idle) {
        Handle(recorder_->Stop());
        return;
    }
    Stop_Playing();
    Advice_Label->clear();
    Handle(recorder_->Record(shown_));
    if (recorder_->Phase() != TVoice_Recorder::TPhase::Idle)
        pump_timer_.start();
}

void TVoice_Recorder_Dlg::Redo_ButtonClick()
{
    if (!last_saved_ || recorder_->Phase() != TVoice_Recorder::TPhase::Idle)
        return;
    Show_Word(*last_saved_);
    Record_ButtonClick();
}

void TVoice_Recorder_Dlg::Next_ButtonClick()
{
    if (recorder_->Phase() != TVoice_Recorder::TPhase::Idle)
        return;
    const auto& words = recorder_->Words();
    std::size_t next = Next_Word_To_Record(words, (shown_ + 1) % words.size());
    if (next == words.size())
        next = (shown_ + 1) % words.size();
    Show_Word(next);
    Status_Label->Announce(Q("Say: " + words[next].Spoken + ". Press R to record."));
}

std::size_t TVoice_Recorder_Dlg::Word_To_Play() const
{
    if (last_saved_)
        return *last_saved_;
    return shown_;
}

void TVoice_Recorder_Dlg::Play_ButtonClick()
{
    if (recorder_->Phase() != TVoice_Recorder::TPhase::Idle)
        return;
    const std::size_t word = Word_To_Play();
    if (recorder_->Words()[word].State == TWord_State::Missing) {
        Status_Label->Announce(Q(recorder_->Words()[word].Spoken + " is not recorded yet."));
        return;
    }
    Play(word);
}

void TVoice_Recorder_Dlg::Play(std::size_t word)
{
    Stop_Playing();
    if (!services_.Make_Player)
        return;
    if (!player_)
        player_ = services_.Make_Player();
    player_->FileName = recorder_->Word_Path(word);
    player_->Volume_Percent = settings_.Volume_Percent;
    try {
        player_->Open();
        player_->Play();
    } catch (const EHoravoxError& error) {
        Advice_Label->setText(QString::fromUtf8(error.what()));
        Status_Label->Announce("The take cannot be played: " + QString::fromUtf8(error.what()));
    }
}

void TVoice_Recorder_Dlg::Stop_Playing()
{
    if (player_)
        player_->Close();
}

void TVoice_Recorder_Dlg::Pump()
{
    Handle(recorder_->Pump());
    Level_Meter->setValue(std::clamp(static_cast<int>(recorder_->Level_Dbfs()) + Meter_Floor_Db, 0, Meter_Floor_Db));
}

void TVoice_Recorder_Dlg::Handle(const std::vector<TRecorder_Note>& notes)
{
    using TKind = TRecorder_Note::TKind;
    QString spoken;
    std::optional<std::size_t> saved;
    for (const auto& note : notes) {
        const QString text = Q(note.Text);
        switch (note.Kind) {
        case TKind::Listening_To_Room:
        case TKind::Recording:
            Advice_Label->clear();
            break;
        case TKind::Saved:
            saved = note.Word;
            break;
        case TKind::Problem:
        case TKind::Write_Failed:
            Advice_Label->setText(text);
            break;
        case TKind::Microphone_Failed:
            Advice_Label->setText(text);
            pump_timer_.stop();
            Level_Meter->setValue(0);
            break;
        }
        spoken += (spoken.isEmpty() ? "" : " ") + text;
    }
    if (saved) {
        last_saved_ = saved;
        const auto& words = recorder_->Words();
        const std::size_t next = Next_Word_To_Record(words, (*saved + 1) % words.size());
        if (next < words.size()) {
            Show_Word(next);
            spoken += Q(" Next, say: " + words[next].Spoken + ".");
        } else {
            Say_Label->setText("Every word is recorded");
            Hint_Label->clear();
            spoken += " Every word is recorded: press F to finish.";
        }
        Play(*saved);
    }
    Show_Words();
    if (!spoken.isEmpty())
        Status_Label->Announce(spoken);
}

void TVoice_Recorder_Dlg::Update_Buttons()
{
    const bool recording = recorder_ && recorder_->Phase() != TVoice_Recorder::TPhase::Idle;
    Record_Button->setText(recording ? "&Stop" : "&Record");
    Play_Button->setEnabled(!recording);
    Redo_Button->setEnabled(!recording && last_saved_.has_value());
    Next_Button->setEnabled(!recording);
    Finish_Button->setEnabled(!recording);
    for (QWidget* setting : std::initializer_list<QWidget*>{Voice_Name_Edit, Choose_Directory_Button, Prefix_CheckBox,
                                                            Suffix_CheckBox, Bells_CheckBox})
        setting->setEnabled(!recording);
}

void TVoice_Recorder_Dlg::Finish_ButtonClick()
{
    if (recorder_->Phase() != TVoice_Recorder::TPhase::Idle)
        return;
    Stop_Playing();
    const TVoice_Check_Report report = recorder_->Finish(services_.Bundled_Directory, settings_);
    QString text;
    for (const auto& line : report.Lines)
        text += Q(line) + "\n";
    Check_Report->setPlainText(text);
    Use_Voice_Button->setEnabled(report.Passed);
    Show_Words();
    Status_Label->Announce(
        Q("Voice check: " + report.Lines.back().substr(report.Lines.back().find(": ") + 2) + ".") +
        (report.Passed ? " Press U to use this voice for the clock." : " Record the words listed as missing."));
    if (report.Passed)
        Use_Voice_Button->setFocus();
}

void TVoice_Recorder_Dlg::Use_Voice_ButtonClick()
{
    if (services_.Use_Voice)
        services_.Use_Voice(recorder_->Directory());
    Say_Time_Button->setEnabled(true);
    Say_Time_Button->setFocus();
    Status_Label->Announce("The clock now speaks with this voice. Press T to hear the time.");
}

void TVoice_Recorder_Dlg::Say_Time_ButtonClick()
{
    Stop_Playing();
    if (services_.Say_Time)
        services_.Say_Time();
}

void TVoice_Recorder_Dlg::done(int result)
{
    // Leaving drops the take running; every word saved stays.
    recorder_->Close_Microphone();
    pump_timer_.stop();
    Stop_Playing();
    QDialog::done(result);
}
