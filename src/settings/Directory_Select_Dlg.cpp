#include "settings/Directory_Select_Dlg.h"

TDirectory_Select_Dlg::TDirectory_Select_Dlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("Directory_Select_Dlg");
    setWindowTitle("Select Sound Directory");
    setModal(true);
}
