#pragma once
#include <memory>

#include <QDialog>

#include "clock/Clock_Source.h"
#include "engine/Random_Source.h"

// The About box: product name and version, shown modally. Each showing
// reseeds the random generator from the clock.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(const QString& version, std::shared_ptr<const TClock_Source> clock,
              std::shared_ptr<TSeeded_Random> random, QWidget* parent = nullptr);

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString version_;
    std::shared_ptr<const TClock_Source> clock_;
    std::shared_ptr<TSeeded_Random> random_;
};
