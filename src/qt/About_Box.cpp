#include "qt/About_Box.h"

#include <utility>

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "clock/Main_Form_Design.h"

TAboutBox::TAboutBox(const QString& version, std::shared_ptr<const TClock_Source> clock,
                     std::shared_ptr<TSeeded_Random> random, QWidget* parent)
    : QDialog(parent), version_(version), clock_(std::move(clock)), random_(std::move(random))
{
    setObjectName("AboutBox");
    setWindowTitle(About_Caption);
    setModal(true);
}

// Built at the first showing, which keeps the clock's start lean.
void TAboutBox::setVisible(bool visible)
{
    if (visible && !layout()) {
        auto* layout = new QVBoxLayout(this);
        auto* product = new QLabel(QString("<b>%1</b> %2").arg(Product_Name, version_), this);
        product->setObjectName("ProductName");
        layout->addWidget(product);
        layout->addWidget(new QLabel(About_Description, this));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        layout->addWidget(buttons);
    }
    QDialog::setVisible(visible);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    random_->Seed(Seed_From_Clock(*clock_));
    QDialog::showEvent(event);
}
