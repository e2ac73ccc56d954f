#include "qt/Sound_File_Info_Box.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "qt/Dialog_Fonts.h"
#include "qt/Glyphs.h"

TSound_File_Info_Box::TSound_File_Info_Box(QWidget* parent) : QDialog(parent)
{
    setObjectName("Sound_File_Info_Box");
    setWindowTitle("Sound File's Required :");
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(347, 205);
}

void TSound_File_Info_Box::setVisible(bool visible)
{
    if (visible && !OKButton) {
        Create_Controls();
        // Centred on the screen, not on the clock.
        if (const QScreen* shown_on = screen())
            move(shown_on->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
    if (visible)
        OKButton->setFocus();
}

void TSound_File_Info_Box::Create_Controls()
{
    setFont(System_Font());
    const struct {
        const char* text;
        int top;
    } lines[] = {
        {"It is necessary to record sounds for called : ", 56},
        {"1.wav, 2.wav, ..., 9.wav, 10.wav, 11.wav, ... ", 83},
        {"18.wav, 19.wav, 20.wav, 30.wav, 40.wav, ", 109},
        {"50.wav, ..., am.wav, and pm.wav", 136},
    };
    auto* heading = new QLabel("Windows Sound Recorder is about to be run.", this);
    heading->setGeometry(29, 24, 289, 16);
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (const auto& line : lines) {
        auto* label = new QLabel(line.text, this);
        label->move(29, line.top);
        label->adjustSize();
    }

    OKButton = new QPushButton(Tick_Glyph(), "OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(135, 162, 77, 27);
    QFont button_font = Sans_Font(true);
    button_font.setPixelSize(11);
    OKButton->setFont(button_font);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
