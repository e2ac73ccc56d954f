#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QDialog>

#include "clock/Directory_Rows.h"

class QComboBox;
class QFrame;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The sound directory chooser: a drive list and a directory tree list. It is
// kept for the whole run and opens again on the directory it showed last.
// Moving to a directory makes it the process's working directory at once,
// whether or not the dialog then ends with OK.
class TDirectory_Select_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TDirectory_Select_Dlg(QWidget* parent = nullptr);

    // The directory shown as current (the one last moved to, not a merely
    // highlighted row): a full path without a trailing "/", the root "/".
    QString Directory() const;

    // Where the drive list comes from, read at every showing: the machine's
    // mounted volumes unless a test gives a fixed list ("/" first).
    using TVolume_Source = std::function<std::vector<std::string>()>;
    void Use_Volume_Source(TVolume_Source source);

    void setVisible(bool visible) override;

    // The controls are made at the first showing, so that creating the dialog
    // at start-up costs nothing; until then they are null.
    QFrame* Bevel1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Controls();
    // Reads the volumes and the current directory again, without a move and
    // without complaint: a directory that cannot be read shows no subdirectories.
    void Refresh();
    // Moves to `directory`; throws EHoravoxError when it cannot be read or
    // entered, leaving everything as it was.
    void Move_To(const std::string& directory);
    void Show_Directory(const std::vector<std::string>& subdirectories);
    void Show_Volume();

    void DriveComboBox1Change(int index);
    void DirectoryListBox1DblClick(QListWidgetItem* item);
    void CancelBtnClick();

    std::string directory_;
    TVolume_Source volume_source_;
    std::vector<std::string> volumes_;
    // The directory last shown on each volume during this run.
    std::map<std::string, std::string> last_directory_on_volume_;
};
