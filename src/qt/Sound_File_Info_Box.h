#pragma once
#include <QDialog>

class QPushButton;

// The notice shown before the sound recorder starts: which word files to
// record. Its controls are built at the first showing.
class TSound_File_Info_Box : public QDialog {
    Q_OBJECT
public:
    explicit TSound_File_Info_Box(QWidget* parent = nullptr);

    void setVisible(bool visible) override;

    QPushButton* OKButton = nullptr;

private:
    void Create_Controls();
};
