#include "qt/Error_Text.h"

QString With_Full_Stop(const QString& text)
{
    if (text.isEmpty() || text.back() <= QLatin1Char('.'))
        return text;
    return text + QLatin1Char('.');
}
