#include "qt/Dialog_Fonts.h"

QFont Sans_Font(bool bold)
{
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

QFont System_Font()
{
    QFont font = Sans_Font(true);
    font.setPixelSize(13);
    return font;
}
