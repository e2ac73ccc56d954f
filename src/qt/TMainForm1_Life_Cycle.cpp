#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QMetaObject>

#include "qt/About_Box.h"
#include "qt/Clock_Face.h"
#include "qt/TMainForm1.h"
#include "clock/Main_Form_Design.h"
#include "clock/Menu_Bar_Memory.h"
#include "clock/Window_Placement.h"
#include "system/File_Probe.h"
#include "system/Files.h"
#include "system/Files_Read.h"
#include "system/Files_Safe_Write.h"
#include "settings/Settings_File.h"
#include "qt/Settings_Form_Dlg.h"

namespace {

// The factory-reset question: Yes is the default and Esc answers No, but
// closing the box with its close box goes on, as Yes does.
class TReset_Question : public QMessageBox {
public:
    explicit TReset_Question(QWidget* parent)
        : QMessageBox(QMessageBox::Warning, "Warning", Reset_Question, QMessageBox::Yes | QMessageBox::No, parent)
    {
        setDefaultButton(QMessageBox::Yes);
        setEscapeButton(QMessageBox::No);
    }

    bool Answered_No() const { return !closed_by_close_box_ && clickedButton() == button(QMessageBox::No); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        closed_by_close_box_ = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool closed_by_close_box_ = false;
};

}  // namespace

void TMainForm1::setVisible(bool visible)
{
    if (!visible || first_show_done_) {
        QMainWindow::setVisible(visible);
        return;
    }
    // Taken before the window exists, as at every start, so that it compares alike.
    const std::string key = services_.Menu_Bar_Memory_Path.empty() ? std::string() : Menu_Bar_Memory_Key();
    std::string memory;
    std::optional<int> remembered;
    if (!key.empty() && Read_Regular_File(services_.Menu_Bar_Memory_Path, memory) == TFile_Read::Read)
        remembered = Remembered_Menu_Bar_Height(memory, key);
    if (remembered) {
        // Nothing measures text before the map request: the menu bar measures
        // itself when shown, and the layout measures it too. The size set here
        // keeps the toolkit from fitting the window to its contents.
        assumed_menu_height_ = remembered;
        menuBar()->hide();
        layout()->setEnabled(false);
        resize(size());
    } else if (services_.Wait_For_Fonts) {
        services_.Wait_For_Fonts();
    }
    QMainWindow::setVisible(true);
    if (assumed_menu_height_)
        Lay_Out_Menu_Bar_After_Map();
    if (!key.empty())
        Remember_Menu_Bar_Height(key, remembered);
}

// Before the first paint, so the first frame shows the final layout.
void TMainForm1::Lay_Out_Menu_Bar_After_Map()
{
    const int assumed = *std::exchange(assumed_menu_height_, std::nullopt);
    if (services_.Wait_For_Fonts)
        services_.Wait_For_Fonts();
    menuBar()->show();
    layout()->setEnabled(true);
    layout()->invalidate();
    layout()->activate();
    // The fonts have changed since the height was remembered: the client area keeps its size.
    const int measured = menuBar()->height();
    if (measured != assumed)
        resize(width(), height() - assumed + measured);
}

std::string TMainForm1::Menu_Bar_Memory_Key() const
{
    const QMenuBar* bar = menuBar();
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(QString::fromStdString(services_.Version), QString::fromLatin1(qVersion()),
             QGuiApplication::platformName(), QString::fromLatin1(bar->style()->metaObject()->className()),
             bar->font().toString())
        .arg(bar->logicalDpiY())
        .arg(bar->devicePixelRatio())
        .toStdString();
}

// Written only when the height differs from the one remembered; a file that
// cannot be written leaves the next start measuring before the map.
void TMainForm1::Remember_Menu_Bar_Height(const std::string& key, std::optional<int> remembered)
{
    const int measured = menuBar()->height();
    if (remembered == measured || measured <= 0)
        return;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(services_.Menu_Bar_Memory_Path).parent_path(), ignored);
    Write_File_Safely(services_.Menu_Bar_Memory_Path, Menu_Bar_Memory_Text(key, measured));
}

void TMainForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (first_show_done_)
        return;
    first_show_done_ = true;
    FormShow();
}

void TMainForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm1::closeEvent(QCloseEvent* event)
{
    // Refused until the save has succeeded: an error leaves the window open.
    event->ignore();
    FormCloseQuery();
    event->accept();
}

void TMainForm1::Set_Client_Size(int width, int height)
{
    const int menu_height = Menu_Bar_Height(width);
    resize(width, height + menu_height);
    // The layout that places the client area below the menu bar waits for the map request.
    if (assumed_menu_height_)
        centralWidget()->setGeometry(0, menu_height, width, height);
}

int TMainForm1::Menu_Bar_Height(int width) const
{
    return assumed_menu_height_ ? *assumed_menu_height_ : menuBar()->heightForWidth(width);
}

void TMainForm1::FormShow()
{
    Set_Client_Size(Time_Label->x() * 2 + Time_Label->width(), Time_Label->y() * 2 + Time_Label->height());
    Record_Base_Layout();
    settings_dialog_->Turn_To_First_Page();
    Stop_Timer1();
    Set_Idle(false);

    settings_ = Load_Settings(services_.Settings_Path, services_.Program_Directory);
    Apply_Loaded_Placement();
    Always_On_Top_Option->setChecked(settings_.Always_on_Top_Option);
    Auto_Run_at_Windows_Startup_Option->setChecked(settings_.Auto_Run_at_Windows_Startup_Option);

    const QString title = QString::fromStdString(Application_Title(services_.Version));
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
    SpareMenu->setText(QString());
    SpareMenu->setVisible(false);

    Always_On_Top_Option->setChecked(!Always_On_Top_Option->isChecked());
    Toggle_Always_On_Top();
    if (settings_.WindowState_wsMaximized)
        showMaximized();
    Auto_Run_at_Windows_Startup_Option->setChecked(auto_run_.Check_Auto_Run_Entry());
    Repair_Loaded_Settings(settings_, services_.Program_Directory);

    Set_Idle(true);
    Start_Timer1();
    services_.Random->Seed(Seed_From_Clock(*services_.Clock));
}

void TMainForm1::Apply_Loaded_Placement()
{
    const int menu_height = Menu_Bar_Height(settings_.window_ClientWidth);
    std::vector<TRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect available = screen->availableGeometry();
        screens.push_back({available.x(), available.y(), available.width(), available.height()});
    }
    const TRect placed = Fit_Onto_Screens(Loaded_Frame(settings_.window_left_posn, settings_.window_top_posn,
                                                       settings_.window_ClientWidth,
                                                       settings_.window_ClientHeight + std::max(menu_height, 0)),
                                          screens);
    move(placed.left, placed.top);
    Set_Client_Size(placed.width, placed.height - menu_height);
}

ClockSettings TMainForm1::Settings_To_Save()
{
    ClockSettings saved = settings_;
    const Qt::WindowStates state = windowState();
    saved.WindowState_wsMaximized = (state & Qt::WindowMaximized) && !(state & Qt::WindowMinimized);
    // The restored placement also while maximised or minimised: the frame's
    // top-left corner and the client area below the menu bar.
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    const QPoint frame_offset = geometry().topLeft() - frameGeometry().topLeft();
    const int menu_height = height() - Client_Size().height();
    saved.window_left_posn = normal.left() - frame_offset.x();
    saved.window_top_posn = normal.top() - frame_offset.y();
    saved.window_ClientWidth = normal.width();
    saved.window_ClientHeight = normal.height() - menu_height;
    saved.Always_on_Top_Option = Always_On_Top_Option->isChecked();
    saved.Auto_Run_at_Windows_Startup_Option = Auto_Run_at_Windows_Startup_Option->isChecked();
    return saved;
}

void TMainForm1::FormCloseQuery()
{
    Save_Settings(services_.Settings_Path, Settings_To_Save());
}

void TMainForm1::Restore_Factory_Defaults_OptionClick()
{
    Restore_Factory_Defaults();
}

void TMainForm1::Restore_Factory_Defaults()
{
    TReset_Question question(this);
    question.exec();
    if (question.Answered_No())
        return;
    Delete_Closed_File(services_.Settings_Path);
    showNormal();
    FormShow();
}
