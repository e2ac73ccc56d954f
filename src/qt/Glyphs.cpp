#include "qt/Glyphs.h"

#include <functional>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "qt/Dialog_Fonts.h"

namespace {

// A 16 x 16 picture, antialiased, on a transparent ground.
QIcon Painted(const std::function<void(QPainter&)>& paint)
{
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(glyph);
}

QPen Stroke(const QColor& colour, qreal width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

}  // namespace

QIcon Speaker_Glyph()
{
    return Painted([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x30, 0x30, 0x30));
        painter.drawPolygon(QPolygonF({{2, 6}, {5, 6}, {9, 2.5}, {9, 13.5}, {5, 10}, {2, 10}}));
        painter.setPen(Stroke(QColor(0x30, 0x30, 0x30), 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(7, 5, 5, 6), -60 * 16, 120 * 16);
        painter.drawArc(QRectF(7, 2.5, 8, 11), -60 * 16, 120 * 16);
    });
}

QIcon Tick_Glyph()
{
    return Painted([](QPainter& painter) {
        painter.setPen(Stroke(QColor(0x1a, 0x8a, 0x2a), 2.6));
        painter.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
    });
}

QIcon Cross_Glyph()
{
    return Painted([](QPainter& painter) {
        painter.setPen(Stroke(QColor(0xc8, 0x20, 0x20), 2.6));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    });
}

QIcon Question_Mark_Glyph()
{
    return Painted([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1f, 0x5f, 0xbf));
        painter.drawEllipse(QRectF(0, 0, 15, 15));
        painter.setFont(System_Font());
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "?");
    });
}

QIcon Folder_Glyph(bool open)
{
    return Painted([open](QPainter& painter) {
        painter.setPen(QColor(0x8a, 0x6a, 0x10));
        painter.setBrush(QColor(0xe8, 0xc0, 0x50));
        painter.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
        if (open) {
            painter.setBrush(QColor(0xf8, 0xe0, 0x90));
            painter.drawPolygon(QPolygonF({{4, 7.5}, {15.5, 7.5}, {13, 13.5}, {1.5, 13.5}}));
        } else {
            painter.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
        }
    });
}

QIcon Drive_Glyph()
{
    return Painted([](QPainter& painter) {
        painter.setPen(QColor(0x50, 0x50, 0x50));
        painter.setBrush(QColor(0xc8, 0xc8, 0xc8));
        painter.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 1.5, 1.5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x20, 0xb0, 0x20));
        painter.drawEllipse(QRectF(11, 7, 2, 2));
    });
}

QIcon TGlyph_Style::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    return Painted([](QPainter& painter) {
        painter.setPen(Stroke(QColor(0x30, 0x30, 0x30), 1.6));
        painter.drawPolyline(QPolygonF({{4, 4}, {8, 8}, {4, 12}}));
        painter.drawPolyline(QPolygonF({{9, 4}, {13, 8}, {9, 12}}));
    });
}
