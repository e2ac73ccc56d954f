#include "settings/Settings_Form_Dlg.h"

#include <QAbstractButton>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>

#include "settings/Directory_Select_Dlg.h"
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

void TSettings_Form_Dlg::Attach_Commands(TDirectory_Select_Dlg& directory_chooser, std::function<void()> show_readme)
{
    directory_chooser_ = &directory_chooser;
    show_readme_ = std::move(show_readme);
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
    bound_buttons_.emplace_back(button, field);
}

void TSettings_Form_Dlg::Show_Live_Settings()
{
    // A checked radio button cannot be unchecked by itself, only by checking
    // another of its group; the start-up sequence leaves no group empty.
    for (const auto& [button, field] : bound_buttons_)
        if (settings_.*field || !button->autoExclusive())
            button->setChecked(settings_.*field);
    Sound_Directory_Edit->setText(QFile::decodeName(settings_.Sound_Directory_Edit.c_str()));
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

void TSettings_Form_Dlg::keyPressEvent(QKeyEvent* event)
{
    // No button answers Esc: the dialog closes only by OK, Enter or its close box.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
