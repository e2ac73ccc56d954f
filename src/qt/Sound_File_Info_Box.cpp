#include "qt/Sound_File_Info_Box.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "clock/Main_Form_Design.h"
#include "qt/Dialog_Fonts.h"
#include "qt/Glyphs.h"

TSound_File_Info_Box::TSound_File_Info_Box(QWidget* parent) : QDialog(parent)
{
    setObjectName("Sound_File_Info_Box");
    setWindowTitle(Sound_File_Info_Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Sound_File_Info_Width, Sound_File_Info_Height);
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
    auto* heading = new QLabel(Sound_File_Info_Heading, this);
    const TRect heading_box = Sound_File_Info_Heading_Geometry;
    heading->setGeometry(heading_box.left, heading_box.top, heading_box.width, heading_box.height);
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (const TInfo_Line& line : Sound_File_Info_Lines) {
        auto* label = new QLabel(line.text, this);
        label->move(line.left, line.top);
        label->adjustSize();
    }

    OKButton = new QPushButton(Tick_Glyph(), "OK", this);
    OKButton->setObjectName("OKButton");
    const TRect ok = Sound_File_Info_OK_Geometry;
    OKButton->setGeometry(ok.left, ok.top, ok.width, ok.height);
    QFont button_font = Sans_Font(true);
    button_font.setPixelSize(11);
    OKButton->setFont(button_font);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
