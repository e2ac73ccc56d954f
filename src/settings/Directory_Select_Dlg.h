#pragma once
#include <QDialog>

// The sound directory chooser, opened from the settings dialog.
class TDirectory_Select_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TDirectory_Select_Dlg(QWidget* parent = nullptr);
};
