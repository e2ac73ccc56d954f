#include "qt/Horavox_Application.h"

#include <exception>
#include <utility>

#include <QMessageBox>

#include "clock/Error_Text.h"
#include "qt/Glyphs.h"

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
    Show_Error_Box(QString::fromStdString(With_Full_Stop(text.toStdString())));
}

void THoravox_Application::Show_Unhandled_Error(const std::exception& error)
{
    Show_Error_Box(QString::fromStdString(Unhandled_Error_Text(error)));
}

void THoravox_Application::Show_Error_Box(const QString& shown)
{
    // The application's title: the product name and version once the main
    // window has started (the task-bar button's ticking time is the window's).
    const QString caption = QGuiApplication::applicationDisplayName();
    open_error_boxes_.Show_Once(shown.toStdString(), [&] {
        if (presenter_)
            presenter_(caption, shown);
        else
            Show_Critical_Box(caption, shown);
    });
}
