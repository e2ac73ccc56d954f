// The settings dialog's controls: the first three pages of the notebook and
// the buttons below it, at their designed places.
#include <functional>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "qt/Dialog_Fonts.h"
#include "qt/Glyphs.h"
#include "qt/Settings_Form_Dlg.h"

namespace {

// An option of a radio group, placed relative to its designed container.
struct TOption {
    const char* name;
    const char* caption;
    QRect place;
    bool ClockSettings::*field;
    const char* hint;
};

constexpr char Frequency_Hint[] = "Option for how often the time is automatically spoken.";
constexpr char Twelve_Hour_Hint[] =
    "Display Time in 12 hour clock format (with AM/PM) - the AM and PM are spoken whenever the time is spoken.";
constexpr char Twenty_Four_Hour_Hint[] = "Display Time in 24 hour clock format (with No AM/PM).";
constexpr char Directory_Hint[] =
    "The directory where the sound (WAV) files will be loaded from, as they are needed.";

// Placed on the page, over the frame; in tab order, where the second line of
// the list comes last.
const TOption Frequency_Options[] = {
    {"Never_Say_Time_Option_Radiobutton", "Never Say the Time", {40, 40, 281, 17},
     &ClockSettings::Never_Say_Time_Option, Frequency_Hint},
    {"Say_Time_Every_Minute_Option_RadioButton", "Say Time Every Minute", {40, 80, 225, 17},
     &ClockSettings::Say_Time_Every_Minute_Option, Frequency_Hint},
    {"Say_Time_Every_5_Minutes_Option_RadioButton", "Say Time Every 5 Minutes", {40, 100, 209, 17},
     &ClockSettings::Say_Time_Every_5_Minutes_Option, Frequency_Hint},
    {"Say_Time_Every_10_Minutes_Option_RadioButton", "Say Time Every 10 Minutes", {40, 120, 225, 17},
     &ClockSettings::Say_Time_Every_10_Minutes_Option, Frequency_Hint},
    {"Say_Time_Every_Quarter_Hour_Option_RadioButton", "Say Time Every Quarter Hour", {40, 140, 233, 17},
     &ClockSettings::Say_Time_Every_Quarter_Hour_Option, Frequency_Hint},
    {"Say_Time_Every_Half_Hour_Option_RadioButton", "Say Time Every Half Hour", {40, 160, 225, 17},
     &ClockSettings::Say_Time_Every_Half_Hour_Option, Frequency_Hint},
    {"Say_Time_Every_Hour_Option_RadioButton", "Say Time Every Hour", {40, 180, 241, 17},
     &ClockSettings::Say_Time_Every_Hour_Option, Frequency_Hint},
    {"Keep_Repeating_Time_RadioButton", "Keep Repeating Time as often as possible", {40, 60, 305, 17},
     &ClockSettings::Keep_Repeating_Time_RadioButton, Frequency_Hint},
};

const TOption Clock_Options[] = {
    {"N12_Hour_Clock_Option_RadioButton", "12 Hour Clock", {8, 24, 113, 17}, &ClockSettings::N12_Hour_Clock_Option,
     Twelve_Hour_Hint},
    {"N24_Hour_Clock_Option_RadioButton", "24 Hour Clock", {8, 64, 113, 17}, &ClockSettings::N24_Hour_Clock_Option,
     Twenty_Four_Hour_Hint},
};

const TOption Play_Options[] = {
    {"Fastest_Play_Option_RadioButton", "Fastest Play Method", {8, 24, 161, 17},
     &ClockSettings::Fastest_Play_Option,
     "Load all required WAV files and then plays them in quick succession."},
    {"Optimised_Play_Option_RadioButton", "Optimised Play Method", {8, 48, 169, 17},
     &ClockSettings::Optimised_Play_Option,
     "Load all prefix, then digits, then suffix WAV files and then plays them in reasonably quick succession."},
    {"Sequential_Play_Option_RadioButton", "Sequential Play Method", {8, 72, 177, 17},
     &ClockSettings::Sequential_Play_Option,
     "Loads and then plays each WAV file in turn - slowest playback method."},
};

const TOption Prefix_Suffix_Options[] = {
    {"Prefix1_Suffix1_Option_RadioButton", "Prefix.WAV / Suffix.WAV only", {16, 24, 329, 17},
     &ClockSettings::Prefix1_Suffix1_Option, "Only prefix.wav and suffix.wav are used"},
    {"Random_Prefix_Suffix_Option_RadioButton", "Random Prefix / Suffix Sound", {16, 44, 369, 17},
     &ClockSettings::Random_Prefix_Suffix_Option,
     "A random prefix is chosen (\"prefix*.wav') as is a random suffix."},
    {"Random_Prefix_Suffix_with_Blank_Option_RadioButton", "Random Prefix / Suffix Sound with Blank option",
     {16, 64, 361, 17}, &ClockSettings::Random_Prefix_Suffix_with_Blank_Option,
     "A random prefix is chosen (\"prefix*.wav') as is a random suffix, and No Prefix / No Suffix is a random "
     "option as well."},
    {"No_Prefix_and_No_Suffix_RadioButton", "No Prefix and No Suffix", {16, 84, 361, 17},
     &ClockSettings::No_Prefix_and_No_Suffix_RadioButton, "No Prefixed and No Suffixes are used."},
};

const TOption Scheme_Options[] = {
    {"Normal_Sounds_RadioButton", "Normal Sounds", {16, 28, 161, 17}, &ClockSettings::Normal_Sounds_RadioButton,
     "Normal prefix, digit, and suffix WAV sounds are used."},
    {"Eight_Bells_Nautical_RadioButton", "Eight Bells (Nautical)", {184, 28, 161, 17},
     &ClockSettings::Eight_Bells_Nautical_RadioButton,
     "Only the files \"ding.wav\" and \"dingding.wav\" are used."},
};

QGroupBox* Add_Group_Box(QWidget* page, const char* name, const char* caption, const QRect& place)
{
    auto* box = new QGroupBox(caption, page);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

QLabel* Add_Label(QWidget* container, const char* name, const char* caption, const QRect& place, const char* hint)
{
    auto* label = new QLabel(caption, container);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setToolTip(hint);
    return label;
}

// Each group box is one radio group: Qt makes the radio buttons of one
// parent exclusive, and a screen reader names the group as it enters it.
using TBind = std::function<void(QAbstractButton*, bool ClockSettings::*)>;

// `shift` moves a place designed relative to the page into the group box.
QRadioButton* Add_Option(QGroupBox* box, const TOption& option, const TBind& bind, QPoint shift = {})
{
    auto* button = new QRadioButton(option.caption, box);
    button->setObjectName(option.name);
    button->setGeometry(option.place.translated(shift));
    button->setToolTip(option.hint);
    bind(button, option.field);
    return button;
}

template <std::size_t N>
void Add_Options(QGroupBox* box, const TOption (&options)[N], const TBind& bind, QPoint shift = {})
{
    for (const TOption& option : options)
        Add_Option(box, option, bind, shift);
}

class TNarrow_Tab_Style : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

QFont Bold_Button_Font()
{
    QFont font = Sans_Font(true);
    font.setPointSize(8);
    return font;
}

}  // namespace

void TSettings_Form_Dlg::Create_Controls()
{
    setFont(System_Font());

    TabbedNotebook1 = new QTabWidget(this);
    TabbedNotebook1->setObjectName("TabbedNotebook1");
    TabbedNotebook1->setGeometry(0, 12, 427, 269);
    // Four captions in one row of the designed width: the sans face at 8
    // points is as wide as the designed face at 9, and the margins beside
    // each caption are half the style's.
    QFont tab_font = Sans_Font(false);
    tab_font.setPointSize(8);
    TabbedNotebook1->tabBar()->setFont(tab_font);
    auto* tab_style = new TNarrow_Tab_Style;
    tab_style->setParent(TabbedNotebook1->tabBar());
    TabbedNotebook1->tabBar()->setStyle(tab_style);
    TabbedNotebook1->addTab(Create_Frequency_Page(), "Talking Frequency");
    TabbedNotebook1->addTab(Create_Advanced_Page(), "Advanced Settings");
    TabbedNotebook1->addTab(Create_Other_Page(), "Other Settings");
    TabbedNotebook1->addTab(Create_Quiet_Page(), "Quiet Hours and Volume");
    Create_Buttons();
}

QWidget* TSettings_Form_Dlg::Create_Frequency_Page()
{
    auto* page = new QWidget;
    const auto bind = [this](QAbstractButton* button, bool ClockSettings::*field) { Bind(button, field); };
    QGroupBox* frame = Add_Group_Box(page, "RadioGroup1", "Time Say Frequency", {8, 16, 393, 193});
    Add_Options(frame, Frequency_Options, bind, -frame->pos());
    return page;
}

QWidget* TSettings_Form_Dlg::Create_Advanced_Page()
{
    auto* page = new QWidget;
    const auto bind = [this](QAbstractButton* button, bool ClockSettings::*field) { Bind(button, field); };

    QGroupBox* clock_box = Add_Group_Box(page, "GroupBox1", "12 / 24 Hour Clock", {8, 12, 193, 101});
    // Each note right after its option, so that a screen reader reads them together.
    QRadioButton* twelve_hour = Add_Option(clock_box, Clock_Options[0], bind);
    Add_Label(clock_box, "Label1", "(AM/PM are spoken)", {24, 40, 129, 16}, Twelve_Hour_Hint)->setBuddy(twelve_hour);
    QRadioButton* twenty_four_hour = Add_Option(clock_box, Clock_Options[1], bind);
    Add_Label(clock_box, "N24_Hour_Clock_Option_Label", "(AM/PM are NOT spoken)", {24, 80, 161, 16},
              Twenty_Four_Hour_Hint)
        ->setBuddy(twenty_four_hour);

    Add_Options(Add_Group_Box(page, "GroupBox2", "Speech Playback Settings", {208, 12, 193, 101}), Play_Options,
                bind);
    Add_Options(Add_Group_Box(page, "GroupBox3", "Suffix / Prefix Sound Selection", {8, 120, 393, 109}),
                Prefix_Suffix_Options, bind);
    return page;
}

QWidget* TSettings_Form_Dlg::Create_Other_Page()
{
    auto* page = new QWidget;
    const auto bind = [this](QAbstractButton* button, bool ClockSettings::*field) { Bind(button, field); };
    Add_Options(Add_Group_Box(page, "GroupBox4", "Normal - or - Eight Bells Sounds", {24, 12, 353, 61}),
                Scheme_Options, bind);

    QGroupBox* directory_box = Add_Group_Box(page, "GroupBox5", "Sound File Directory Location", {24, 84, 353, 57});
    BitBtn1 = new QPushButton("Dir", directory_box);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(8, 20, 33, 25);
    BitBtn1->setToolTip(Directory_Hint);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TSettings_Form_Dlg::BitBtn1Click);

    // Read-only and greyed, yet still reachable with Tab, so that a screen
    // reader can read the directory out.
    Sound_Directory_Edit = new QLineEdit(directory_box);
    Sound_Directory_Edit->setObjectName("Sound_Directory_Edit");
    Sound_Directory_Edit->setGeometry(48, 20, 297, 24);
    Sound_Directory_Edit->setReadOnly(true);
    Sound_Directory_Edit->setToolTip(Directory_Hint);
    Sound_Directory_Edit->setAccessibleName(directory_box->title());
    QPalette greyed = Sound_Directory_Edit->palette();
    greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
    greyed.setColor(QPalette::Text, greyed.color(QPalette::Disabled, QPalette::Text));
    Sound_Directory_Edit->setPalette(greyed);

    auto* missing_files = new QCheckBox("Inform Me of Missing Sound Files (During Playback)", page);
    missing_files->setObjectName("Inform_Me_of_Missing_Sound_Files_CheckBox");
    missing_files->setGeometry(24, 160, 365, 17);
    Bind(missing_files, &ClockSettings::Inform_Me_of_Missing_Sound_Files_CheckBox);
    return page;
}

void TSettings_Form_Dlg::Create_Buttons()
{
    OKBtn = new QPushButton(Tick_Glyph(), "OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(123, 286, 77, 27);
    OKBtn->setFont(Bold_Button_Font());
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    HelpBtn = new QPushButton(Question_Mark_Glyph(), "&Help", this);
    HelpBtn->setObjectName("HelpBtn");
    HelpBtn->setGeometry(227, 286, 77, 27);
    HelpBtn->setFont(Bold_Button_Font());
    HelpBtn->setAutoDefault(false);
    connect(HelpBtn, &QPushButton::clicked, this, &TSettings_Form_Dlg::HelpBtnClick);
}
