#pragma once
#include <QIcon>
#include <QProxyStyle>

// The small pictures on the buttons and in the lists, painted rather than
// loaded: loading even one picture from a file makes Qt load every image
// plugin it has, which costs the clock's start-up more than all its windows,
// and the styles' own pictures differ from desktop to desktop.

QIcon Speaker_Glyph();
QIcon Tick_Glyph();
QIcon Cross_Glyph();
// A question mark in a blue disc (some styles show a lifebuoy for help).
QIcon Question_Mark_Glyph();
// A manila folder, closed or open (the styles' folders look alike at list size).
QIcon Folder_Glyph(bool open);
QIcon Drive_Glyph();

// The application's style with the one picture that Qt's menu bar asks for
// while the main window is built (its overflow button) painted too.
class TGlyph_Style : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
