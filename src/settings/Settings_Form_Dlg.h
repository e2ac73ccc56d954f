#pragma once
#include <QDialog>

#include "settings/ClockSettings.h"

class QTabWidget;

// The settings dialog. It edits the main window's live settings directly, so
// every change takes effect at once.
class TSettings_Form_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TSettings_Form_Dlg(ClockSettings& settings, QWidget* parent = nullptr);

    // The start-up sequence opens the dialog on its first page again.
    void Turn_To_First_Page();

    QTabWidget* TabbedNotebook1;

private:
    ClockSettings& settings_;
};
