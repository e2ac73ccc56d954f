#include "qt/Settings_Form_Dlg.h"

#include <algorithm>

#include <QAbstractButton>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTimeEdit>
#include <QTabWidget>

#include "qt/Directory_Select_Dlg.h"
#include "settings/Sound_Directory.h"

namespace {

constexpr char Chooser_Caption[] = "Choose Sound File (WAV) Directory / Folder :";

}  // namespace

TSettings_Form_Dlg::TSettings_Form_Dlg(ClockSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName("Settings_Form_Dlg");
    setWindowTitle("Horavox Settings");
    setModal(true);
    // A fixed dialog frame: a close box, no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(427, 314);
    // Its own designed place on the screen, not centred on the clock.
    move(315, 82);
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

void TSettings_Form_Dlg::Bind(QAbstractButton* button, bool ClockSettings::*field)
{
    // Checking a radio button unchecks the rest of its group, each with a
    // signal of its own, so the group's fields follow the buttons exactly.
    connect(button, &QAbstractButton::toggled, this, [this, field](bool checked) { settings_.*field = checked; });
    button->installEventFilter(this);
    bound_buttons_.emplace_back(button, field);
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

void TSettings_Form_Dlg::Show_Live_Settings()
{
    // A checked radio button cannot be unchecked by itself, only by checking
    // another of its group; the start-up sequence leaves no group empty.
    for (const auto& [button, field] : bound_buttons_)
        if (settings_.*field || !button->autoExclusive())
            button->setChecked(settings_.*field);
    Sound_Directory_Edit->setText(QFile::decodeName(settings_.Sound_Directory_Edit.c_str()));
    for (const auto& [edit, field] : bound_times_)
        edit->setTime(QTime(0, 0).addSecs(60 * (settings_.*field)));
    Volume_Percent_TrackBar->setValue(settings_.Volume_Percent);
}

void TSettings_Form_Dlg::Bind(QTimeEdit* edit, std::int32_t ClockSettings::*field)
{
    connect(edit, &QTimeEdit::timeChanged, this,
            [this, field](QTime time) { settings_.*field = time.hour() * 60 + time.minute(); });
    bound_times_.emplace_back(edit, field);
}

void TSettings_Form_Dlg::BitBtn1Click()
{
    directory_chooser_->setWindowTitle(Chooser_Caption);
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
