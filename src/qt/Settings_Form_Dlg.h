#pragma once
#include <functional>
#include <utility>
#include <vector>

#include <QDialog>

#include "clock/Dialog_Table.h"
#include "settings/ClockSettings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimeEdit;
class TDirectory_Select_Dlg;

// The settings dialog, built from its table in clock/. Its controls are views of the main window's live
// settings: every change is written into them at once, and every showing
// shows them afresh, so a change made elsewhere (the factory reset, the
// engine falling back to the program directory) is what the user sees.
// There is no Apply and no Cancel: OK, Enter and the close box all keep
// every change, and Esc does nothing.
class TSettings_Form_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TSettings_Form_Dlg(ClockSettings& settings, QWidget* parent = nullptr);

    // What "Dir", "&Help" and "&Test" run; the windows behind them are created later.
    void Attach_Commands(TDirectory_Select_Dlg& directory_chooser, std::function<void()> show_readme,
                         std::function<void()> play_test_sound);

    // The start-up sequence opens the dialog on its first page again.
    void Turn_To_First_Page();

    void BitBtn1Click();
    void HelpBtnClick();
    void Test_Volume_ButtonClick();

    // The controls are built at the first showing, which keeps start-up
    // lean; until then they are null.
    void setVisible(bool visible) override;

    QTabWidget* TabbedNotebook1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLineEdit* Sound_Directory_Edit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimeEdit* Quiet_Hours_Start_Edit = nullptr;
    QTimeEdit* Quiet_Hours_End_Edit = nullptr;
    QSlider* Volume_Percent_TrackBar = nullptr;
    QLabel* Volume_Percent_Label = nullptr;
    QPushButton* Test_Volume_Button = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_Controls();
    void Run_Command(TDialog_Command command);
    // The control shows its setting and writes every change of its own into it.
    void Bind(QWidget* widget, const TDialog_Control& control);
    void Show_Live_Settings();
    void Show_Setting(QWidget* widget, const TDialog_Control& control);

    ClockSettings& settings_;
    TDirectory_Select_Dlg* directory_chooser_ = nullptr;
    std::function<void()> show_readme_;
    std::function<void()> play_test_sound_;
    std::vector<std::pair<QWidget*, const TDialog_Control*>> bound_;
};
