#include "settings/Settings_Form_Dlg.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

TSettings_Form_Dlg::TSettings_Form_Dlg(ClockSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName("Settings_Form_Dlg");
    setWindowTitle("Settings");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    TabbedNotebook1 = new QTabWidget(this);
    TabbedNotebook1->setObjectName("TabbedNotebook1");
    TabbedNotebook1->addTab(new QWidget(TabbedNotebook1), "Talking Frequency");
    layout->addWidget(TabbedNotebook1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void TSettings_Form_Dlg::Turn_To_First_Page()
{
    TabbedNotebook1->setCurrentIndex(0);
}
