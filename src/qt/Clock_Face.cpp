#include "qt/Clock_Face.h"

#include <QFont>
#include <QMouseEvent>
#include <QPalette>

#include "clock/Main_Form_Design.h"
#include "clock/Main_Form_Rules.h"

TClock_Face::TClock_Face(QWidget* parent) : QLabel(Design_Caption, parent)
{
    setObjectName("Time_Label");
    const TRect face = Time_Label_Geometry;
    setGeometry(face.left, face.top, face.width, face.height);
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
    QFont face_font(Face_Font_Name);
    face_font.setPointSize(Face_Font_Points);
    face_font.setBold(true);
    setFont(face_font);
    setCursor(Qt::PointingHandCursor);
    setToolTip(Face_Hint);
}

void TClock_Face::mousePressEvent(QMouseEvent* event)
{
    if (On_Mouse_Down)
        On_Mouse_Down(event->button());
}
