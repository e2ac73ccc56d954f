// The settings dialog's fourth page: quiet hours, volume and dog watches.
// Every control can be reached with Tab and is named by its caption, or by
// the label that stands before it, so a screen reader reads what it is for.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>

#include "qt/Settings_Form_Dlg.h"

namespace {

constexpr char Quiet_Hours_Hint[] =
    "From the start time up to the end time the clock says nothing by itself; a click on the clock face still "
    "says the time.";
constexpr char Volume_Hint[] = "The loudness of every sound of the clock, in percent of the recordings.";
constexpr char Dog_Watch_Hint[] =
    "Eight Bells (Nautical) only: the last dog watch strikes one, two and three bells at 18:30, 19:00 and 19:30.";

QString Percent_Text(int percent)
{
    return QString::number(percent) + " %";
}

QLabel* Add_Label(QWidget* container, const char* name, const char* caption, const QRect& place, QWidget* buddy)
{
    auto* label = new QLabel(caption, container);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(caption).remove('&').remove(':'));
    return label;
}

QTimeEdit* Add_Time_Edit(QWidget* container, const char* name, const QRect& place)
{
    auto* edit = new QTimeEdit(container);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setDisplayFormat("HH:mm");
    edit->setWrapping(true);
    edit->setToolTip(Quiet_Hours_Hint);
    return edit;
}

}  // namespace

QWidget* TSettings_Form_Dlg::Create_Quiet_Page()
{
    auto* page = new QWidget;

    auto* quiet_box = new QGroupBox("Quiet Hours", page);
    quiet_box->setObjectName("GroupBox6");
    quiet_box->setGeometry(24, 8, 353, 81);
    auto* quiet = new QCheckBox("&Silence Automatic Announcements", quiet_box);
    quiet->setObjectName("Quiet_Hours_Option_CheckBox");
    quiet->setGeometry(16, 22, 321, 17);
    quiet->setToolTip(Quiet_Hours_Hint);
    Bind(quiet, &ClockSettings::Quiet_Hours_Option);
    Quiet_Hours_Start_Edit = Add_Time_Edit(quiet_box, "Quiet_Hours_Start_Edit", {72, 46, 73, 24});
    Add_Label(quiet_box, "Quiet_Hours_Start_Label", "&From:", {16, 50, 52, 16}, Quiet_Hours_Start_Edit);
    Bind(Quiet_Hours_Start_Edit, &ClockSettings::Quiet_Hours_Start);
    Quiet_Hours_End_Edit = Add_Time_Edit(quiet_box, "Quiet_Hours_End_Edit", {216, 46, 73, 24});
    Add_Label(quiet_box, "Quiet_Hours_End_Label", "T&o:", {168, 50, 44, 16}, Quiet_Hours_End_Edit);
    Bind(Quiet_Hours_End_Edit, &ClockSettings::Quiet_Hours_End);

    auto* volume_box = new QGroupBox("Loudness", page);
    volume_box->setObjectName("GroupBox7");
    volume_box->setGeometry(24, 98, 353, 61);
    Volume_Percent_TrackBar = new QSlider(Qt::Horizontal, volume_box);
    Volume_Percent_TrackBar->setObjectName("Volume_Percent_TrackBar");
    Volume_Percent_TrackBar->setGeometry(72, 24, 145, 24);
    Volume_Percent_TrackBar->setRange(0, 100);
    Volume_Percent_TrackBar->setSingleStep(1);
    Volume_Percent_TrackBar->setPageStep(10);
    Volume_Percent_TrackBar->setToolTip(Volume_Hint);
    Add_Label(volume_box, "Volume_Label", "&Volume:", {16, 28, 52, 16}, Volume_Percent_TrackBar);
    Volume_Percent_Label = new QLabel(Percent_Text(settings_.Volume_Percent), volume_box);
    Volume_Percent_Label->setObjectName("Volume_Percent_Label");
    Volume_Percent_Label->setGeometry(224, 28, 45, 16);
    Volume_Percent_Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(Volume_Percent_TrackBar, &QSlider::valueChanged, this, [this](int percent) {
        settings_.Volume_Percent = percent;
        Volume_Percent_Label->setText(Percent_Text(percent));
    });
    Test_Volume_Button = new QPushButton("&Test", volume_box);
    Test_Volume_Button->setObjectName("Test_Volume_Button");
    Test_Volume_Button->setGeometry(280, 22, 65, 27);
    Test_Volume_Button->setToolTip("Plays the test sound at this volume.");
    Test_Volume_Button->setAutoDefault(false);
    connect(Test_Volume_Button, &QPushButton::clicked, this, &TSettings_Form_Dlg::Test_Volume_ButtonClick);

    auto* dog_watches = new QCheckBox("&Dog Watch Bells (Eight Bells Only)", page);
    dog_watches->setObjectName("Dog_Watch_Bells_Option_CheckBox");
    dog_watches->setGeometry(24, 176, 353, 17);
    dog_watches->setToolTip(Dog_Watch_Hint);
    Bind(dog_watches, &ClockSettings::Dog_Watch_Bells_Option);
    return page;
}
