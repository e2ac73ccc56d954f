// The floor for the clock's start-up and idle memory: a Qt application that
// shows one QLabel with a clock's text, the size of the clock's window.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel label("12:00:00 PM");
    label.resize(235, 67);
    label.show();
    return QApplication::exec();
}
