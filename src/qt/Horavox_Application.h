#pragma once
#include <exception>
#include <functional>

#include <QApplication>
#include <QString>
#include <QStringList>

#include "clock/Error_Text.h"

// The application object with the program's top-level error handler: an
// exception that no handler caught is shown in an error box and the program
// goes on with its next event.
class THoravox_Application : public QApplication {
    Q_OBJECT
public:
    using TError_Presenter = std::function<void(const QString& caption, const QString& text)>;

    THoravox_Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Replaces the modal error box (tests capture the texts instead); an
    // empty presenter brings the box back.
    void Set_Error_Presenter(TError_Presenter presenter);

    // Shows `text` as the top-level handler does: caption the application's
    // title, a full stop added where the text calls for one.
    void Show_Unhandled_Error(const QString& text);
    // The same for an exception; a sound file's device error shows the file's
    // path on a line after the device's text (which takes the full stop).
    void Show_Unhandled_Error(const std::exception& error);

private:
    void Show_Error_Box(const QString& shown);

    TError_Presenter presenter_;
    TOpen_Error_Boxes open_error_boxes_;
};
