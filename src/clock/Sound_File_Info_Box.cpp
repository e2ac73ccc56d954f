#include "clock/Sound_File_Info_Box.h"

TSound_File_Info_Box::TSound_File_Info_Box(QWidget* parent) : QDialog(parent)
{
    setObjectName("Sound_File_Info_Box");
    setModal(true);
}
