#include "qt/About_Box.h"

#include <utility>

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TAboutBox::TAboutBox(const QString& version, std::shared_ptr<const TClock_Source> clock,
                     std::shared_ptr<TSeeded_Random> random, QWidget* parent)
    : QDialog(parent), version_(version), clock_(std::move(clock)), random_(std::move(random))
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    setModal(true);
}

// Built at the first showing, which keeps the clock's start lean.
void TAboutBox::setVisible(bool visible)
{
    if (visible && !layout()) {
        auto* layout = new QVBoxLayout(this);
        auto* product = new QLabel(QString("<b>Horavox</b> %1").arg(version_), this);
        product->setObjectName("ProductName");
        layout->addWidget(product);
        layout->addWidget(new QLabel("A talking clock.", this));
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

std::uint32_t Seed_From_Clock(const TClock_Source& clock)
{
    return static_cast<std::uint32_t>(clock.Now().toMSecsSinceEpoch());
}
