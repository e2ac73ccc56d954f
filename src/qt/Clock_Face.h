#pragma once
#include <functional>

#include <QLabel>

// The clock face `Time_Label`: a black panel with the time in large red
// digits. A button pressed on it goes to the window's mouse-down handler.
class TClock_Face : public QLabel {
    Q_OBJECT
public:
    explicit TClock_Face(QWidget* parent);

    std::function<void(Qt::MouseButton)> On_Mouse_Down;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
