#pragma once
#include <QString>

// An error text as the error box shows it: a full stop is added when the
// last character sorts after "." (a letter or a digit, for instance), so
// texts ending in punctuation or a blank are left as they are.
QString With_Full_Stop(const QString& text);
