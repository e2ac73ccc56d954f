#include "qt/Clock_Face.h"

#include <QFont>
#include <QMouseEvent>
#include <QPalette>

TClock_Face::TClock_Face(QWidget* parent) : QLabel(Design_Caption, parent)
{
    setObjectName("Time_Label");
    setGeometry(0, 0, 177, 47);
    // A single border around a raised bevel one pixel wide.
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::red);
    setPalette(colours);
    // fontconfig maps the design font to a metric-compatible one where it is missing.
    QFont face_font("Times New Roman");
    face_font.setPointSize(20);
    face_font.setBold(true);
    setFont(face_font);
    setCursor(Qt::PointingHandCursor);
    setToolTip(Hint);
}

void TClock_Face::mousePressEvent(QMouseEvent* event)
{
    if (On_Mouse_Down)
        On_Mouse_Down(event->button());
}
