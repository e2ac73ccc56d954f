#pragma once
#include <QList>
#include <QRect>

// A window placed from the settings file where no screen shows it (a monitor
// since unplugged, a hand-edited file) would be lost to the user: it is moved
// onto the screen it overlaps most, or the first one, and shrunk to fit it.
// A window of which enough shows to be grabbed stays where it is.
// The frame a settings file asks for, with numbers no screen could hold
// brought into a range where the rectangle's arithmetic cannot overflow.
QRect Loaded_Frame(int left, int top, int width, int height);

QRect Fit_Onto_Screens(const QRect& frame, const QList<QRect>& available_screens);
