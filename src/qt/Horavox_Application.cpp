#include "qt/Horavox_Application.h"

#include <exception>
#include <utility>

#include <QMessageBox>

#include "qt/Error_Text.h"
#include "qt/Glyphs.h"
#include "engine/SoundPlayer.h"

namespace {

void Show_Critical_Box(const QString& caption, const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), caption, text);
}

}  // namespace

THoravox_Application::THoravox_Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setStyle(new TGlyph_Style);
}

bool THoravox_Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Show_Unhandled_Error(error);
    }
    return false;
}

void THoravox_Application::Set_Error_Presenter(TError_Presenter presenter)
{
    presenter_ = std::move(presenter);
}

void THoravox_Application::Show_Unhandled_Error(const QString& text)
{
    Show_Error_Box(With_Full_Stop(text));
}

void THoravox_Application::Show_Unhandled_Error(const std::exception& error)
{
    const auto* device_error = dynamic_cast<const EMCIDeviceError*>(&error);
    if (device_error != nullptr && !device_error->File_Name().empty())
        Show_Error_Box(With_Full_Stop(QString::fromStdString(device_error->Device_Text())) + "\n" +
                       QString::fromStdString(device_error->File_Name()));
    else
        Show_Unhandled_Error(QString::fromStdString(error.what()));
}

void THoravox_Application::Show_Error_Box(const QString& shown)
{
    // The application's title: the product name and version once the main
    // window has started (the task-bar button's ticking time is the window's).
    const QString caption = QGuiApplication::applicationDisplayName();
    if (open_error_boxes_.contains(shown))
        return;
    open_error_boxes_.append(shown);
    try {
        if (presenter_)
            presenter_(caption, shown);
        else
            Show_Critical_Box(caption, shown);
    } catch (...) {
        open_error_boxes_.removeOne(shown);
        throw;
    }
    open_error_boxes_.removeOne(shown);
}
