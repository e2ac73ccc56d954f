#pragma once
#include <QDialog>

// The notice shown before the sound recorder starts; its text comes with the
// recorder command.
class TSound_File_Info_Box : public QDialog {
    Q_OBJECT
public:
    explicit TSound_File_Info_Box(QWidget* parent = nullptr);
};
