#include "qt/Settings_Form_Dlg.h"

#include <algorithm>

#include <QAbstractButton>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>

#include "clock/Settings_Form_Dlg_Table.h"
#include "qt/Dialog_Builder.h"
#include "qt/Dialog_Fonts.h"
#include "qt/Directory_Select_Dlg.h"
#include "settings/Sound_Directory.h"

namespace {

class TNarrow_Tab_Style : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

}  // namespace

TSettings_Form_Dlg::TSettings_Form_Dlg(ClockSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    // A fixed dialog frame: a close box, no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Its size and its own designed place on the screen, not centred on the clock.
    Set_Up_Dialog(*this, Settings_Form_Dlg_Table());
}

void TSettings_Form_Dlg::Attach_Commands(TDirectory_Select_Dlg& directory_chooser, std::function<void()> show_readme,
                                         std::function<void()> play_test_sound)
{
    directory_chooser_ = &directory_chooser;
    show_readme_ = std::move(show_readme);
    play_test_sound_ = std::move(play_test_sound);
}

void TSettings_Form_Dlg::Turn_To_First_Page()
{
    if (TabbedNotebook1)
        TabbedNotebook1->setCurrentIndex(0);
}

void TSettings_Form_Dlg::setVisible(bool visible)
{
    if (visible) {
        if (!TabbedNotebook1)
            Create_Controls();
        Show_Live_Settings();
    }
    QDialog::setVisible(visible);
}

void TSettings_Form_Dlg::Create_Controls()
{
    setFont(System_Font());
    const TDialog_Table& table = Settings_Form_Dlg_Table();
    const TDialog_Widgets widgets =
        Build_Dialog_Controls(*this, table, [this](TDialog_Command command) { Run_Command(command); });
    TabbedNotebook1 = widgets.Get<QTabWidget>("TabbedNotebook1");
    BitBtn1 = widgets.Get<QPushButton>("BitBtn1");
    Sound_Directory_Edit = widgets.Get<QLineEdit>("Sound_Directory_Edit");
    OKBtn = widgets.Get<QPushButton>("OKBtn");
    HelpBtn = widgets.Get<QPushButton>("HelpBtn");
    Quiet_Hours_Start_Edit = widgets.Get<QTimeEdit>("Quiet_Hours_Start_Edit");
    Quiet_Hours_End_Edit = widgets.Get<QTimeEdit>("Quiet_Hours_End_Edit");
    Volume_Percent_TrackBar = widgets.Get<QSlider>("Volume_Percent_TrackBar");
    Volume_Percent_Label = widgets.Get<QLabel>("Volume_Percent_Label");
    Test_Volume_Button = widgets.Get<QPushButton>("Test_Volume_Button");

    // Four captions in one row of the designed width: the sans face at 8
    // points is as wide as the designed face at 9, and the margins beside
    // each caption are half the style's.
    QFont tab_font = Sans_Font(false);
    tab_font.setPointSize(8);
    TabbedNotebook1->tabBar()->setFont(tab_font);
    auto* tab_style = new TNarrow_Tab_Style;
    tab_style->setParent(TabbedNotebook1->tabBar());
    TabbedNotebook1->tabBar()->setStyle(tab_style);

    for (const TDialog_Control& control : table.controls)
        if (!std::holds_alternative<std::monostate>(control.field))
            Bind(widgets.by_name.at(control.name), control);
}

void TSettings_Form_Dlg::Bind(QWidget* widget, const TDialog_Control& control)
{
    bound_.emplace_back(widget, &control);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        // Checking a radio button unchecks the rest of its group, each with a
        // signal of its own; the checked one's signal clears their fields.
        connect(button, &QAbstractButton::toggled, this, [this, &control](bool checked) {
            Set_Option(settings_, Settings_Form_Dlg_Table(), control, checked);
        });
        if (control.kind == TControl_Kind::Radio_Button)
            button->installEventFilter(this);
    } else if (auto* edit = qobject_cast<QTimeEdit*>(widget)) {
        const auto field = std::get<std::int32_t ClockSettings::*>(control.field);
        connect(edit, &QTimeEdit::timeChanged, this,
                [this, field](QTime time) { settings_.*field = time.hour() * 60 + time.minute(); });
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        const auto field = std::get<std::int32_t ClockSettings::*>(control.field);
        connect(slider, &QSlider::valueChanged, this, [this, slider, field](int value) {
            settings_.*field = value;
            // The label beside it reads the value out.
            for (const auto& [other, shown] : bound_)
                if (other != slider && shown->field == TSetting_Field(field))
                    Show_Setting(other, *shown);
        });
    }
}

void TSettings_Form_Dlg::Show_Live_Settings()
{
    for (const auto& [widget, control] : bound_)
        Show_Setting(widget, *control);
}

void TSettings_Form_Dlg::Show_Setting(QWidget* widget, const TDialog_Control& control)
{
    if (const auto* flag = std::get_if<bool ClockSettings::*>(&control.field)) {
        // A checked radio button cannot be unchecked by itself, only by checking
        // another of its group; the start-up sequence leaves no group empty.
        auto* button = static_cast<QAbstractButton*>(widget);
        if (settings_.*(*flag) || control.kind != TControl_Kind::Radio_Button)
            button->setChecked(settings_.*(*flag));
    } else if (const auto* text = std::get_if<std::string ClockSettings::*>(&control.field)) {
        static_cast<QLineEdit*>(widget)->setText(QFile::decodeName((settings_.*(*text)).c_str()));
    } else if (const auto* number = std::get_if<std::int32_t ClockSettings::*>(&control.field)) {
        const std::int32_t value = settings_.*(*number);
        if (auto* edit = qobject_cast<QTimeEdit*>(widget))
            edit->setTime(Time_Of_Day(value));
        else if (auto* slider = qobject_cast<QSlider*>(widget))
            slider->setValue(value);
        else  // the only label that shows a number shows the volume
            static_cast<QLabel*>(widget)->setText(QString::fromStdString(Volume_Percent_Text(value)));
    }
}

void TSettings_Form_Dlg::Run_Command(TDialog_Command command)
{
    switch (command) {
    case TDialog_Command::Close_Ok: accept(); break;
    case TDialog_Command::Choose_Sound_Directory: BitBtn1Click(); break;
    case TDialog_Command::Show_Readme: HelpBtnClick(); break;
    case TDialog_Command::Play_Test_Sound: Test_Volume_ButtonClick(); break;
    case TDialog_Command::Close_Cancel:
    case TDialog_Command::None: break;
    }
}

// Keyboard use of a radio group, as on other desktops: Tab enters it on its
// selected option, so a screen reader first reads out what is chosen, and
// the arrow keys select the options in tab order, wrapping at the ends.
bool TSettings_Form_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->autoExclusive())
        return QDialog::eventFilter(watched, event);
    const QList<QAbstractButton*> group = 
        button->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    if (event->type() == QEvent::FocusIn && !button->isChecked()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto checked = std::find_if(group.begin(), group.end(), [](auto* b) { return b->isChecked(); });
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && checked != group.end()) {
            (*checked)->setFocus(reason);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                         : key == Qt::Key_Up || key == Qt::Key_Left ? -1
                                                                      : 0;
        if (step != 0) {
            const auto size = group.size();
            QAbstractButton* next = group.at((group.indexOf(button) + step + size) % size);
            next->setFocus(Qt::OtherFocusReason);
            next->setChecked(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSettings_Form_Dlg::BitBtn1Click()
{
    directory_chooser_->setWindowTitle(Sound_Directory_Chooser_Caption);
    if (directory_chooser_->exec() != QDialog::Accepted)
        return;
    settings_.Sound_Directory_Edit =
        Sound_Directory_Text(QFile::encodeName(directory_chooser_->Directory()).toStdString());
    Show_Live_Settings();
}

void TSettings_Form_Dlg::HelpBtnClick()
{
    show_readme_();
}

void TSettings_Form_Dlg::Test_Volume_ButtonClick()
{
    play_test_sound_();
}

void TSettings_Form_Dlg::keyPressEvent(QKeyEvent* event)
{
    // No button answers Esc: the dialog closes only by OK, Enter or its close box.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
