#pragma once
#include <QLabel>

// A status line whose every change a screen reader speaks, though the focus
// is elsewhere. Qt 6.4 has no announcement event; over AT-SPI this label is
// a notification, and each new text is shown to the reader as the
// notification appearing (state "showing"), which readers such as Orca
// speak, as they speak a desktop notification.
class TLive_Region : public QLabel {
    Q_OBJECT
public:
    explicit TLive_Region(QWidget* parent);
    // Shows `text` and has it spoken, also when it is the text already shown.
    void Announce(const QString& text);
};
