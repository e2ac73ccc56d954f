#include "qt/Directory_Select_Dlg.h"

#include <algorithm>
#include <utility>

#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "clock/Directory_Select_Dlg_Table.h"
#include "qt/Dialog_Builder.h"
#include "qt/Dialog_Fonts.h"
#include "qt/Glyphs.h"
#include "system/Volumes.h"

namespace {

constexpr int Path_Role = Qt::UserRole;       // the full path, as the bytes the system uses
constexpr int Level_Role = Qt::UserRole + 1;  // indentation steps

QString Shown_Text(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

// Indents each row by its level. The row's text stays the bare name, so a
// screen reader reads the name and not a run of blanks.
class TIndented_Row_Delegate : public QStyledItemDelegate {
public:
    TIndented_Row_Delegate(int indent_step, int row_height, QObject* parent)
        : QStyledItemDelegate(parent), indent_step_(indent_step), row_height_(row_height)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + Indent(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + Indent(index), row_height_};
    }

private:
    int Indent(const QModelIndex& index) const { return index.data(Level_Role).toInt() * indent_step_; }

    int indent_step_;
    int row_height_;
};

}  // namespace

TDirectory_Select_Dlg::TDirectory_Select_Dlg(QWidget* parent)
    : QDialog(parent), directory_(Working_Directory()), volume_source_(Mounted_Volumes)
{
    // A fixed frame: a close box but no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Set_Up_Dialog(*this, Directory_Select_Dlg_Table());
}

QString TDirectory_Select_Dlg::Directory() const
{
    return Shown_Text(directory_);
}

void TDirectory_Select_Dlg::Use_Volume_Source(TVolume_Source source)
{
    volume_source_ = std::move(source);
}

void TDirectory_Select_Dlg::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        if (OKBtn == nullptr)
            Build_Controls();
        Refresh();
        OKBtn->setFocus();
    }
    QDialog::setVisible(visible);
}

void TDirectory_Select_Dlg::Build_Controls()
{
    const TDialog_Table& table = Directory_Select_Dlg_Table();
    const auto scaled = [&table, dpi = Screen_Dpi(*this)](int design) { return Scaled(design, table.design_dpi, dpi); };
    // All its text bold, at 8 points.
    QFont font = Sans_Font(true);
    font.setPointSize(8);
    setFont(font);
    const TDialog_Widgets widgets =
        Build_Dialog_Controls(*this, table, [this](TDialog_Command command) {
            if (command == TDialog_Command::Close_Ok)
                accept();
            else if (command == TDialog_Command::Close_Cancel)
                CancelBtnClick();
        });
    Bevel1 = widgets.Get<QFrame>("Bevel1");
    DriveComboBox1 = widgets.Get<QComboBox>("DriveComboBox1");
    DirectoryListBox1 = widgets.Get<QListWidget>("DirectoryListBox1");
    OKBtn = widgets.Get<QPushButton>("OKBtn");
    CancelBtn = widgets.Get<QPushButton>("CancelBtn");

    DriveComboBox1->setIconSize(QSize(scaled(12), scaled(12)));
    connect(DriveComboBox1, &QComboBox::activated, this, &TDirectory_Select_Dlg::DriveComboBox1Change);

    DirectoryListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    DirectoryListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int row_height = scaled(Directory_Row_Height);
    DirectoryListBox1->setIconSize(QSize(row_height - 2, row_height - 2));
    DirectoryListBox1->setItemDelegate(
        new TIndented_Row_Delegate(scaled(Directory_Indent_Step), row_height, DirectoryListBox1));
    DirectoryListBox1->installEventFilter(this);
    connect(DirectoryListBox1, &QListWidget::itemDoubleClicked, this,
            &TDirectory_Select_Dlg::DirectoryListBox1DblClick);
}

void TDirectory_Select_Dlg::Refresh()
{
    // Volumes come and go (a stick plugged in) between showings.
    volumes_ = volume_source_();
    DriveComboBox1->clear();
    const QIcon drive_icon = Drive_Glyph();
    for (const auto& volume : volumes_)
        DriveComboBox1->addItem(drive_icon, Shown_Text(volume));
    TSubdirectory_Listing listing = Read_Subdirectories(directory_);
    Show_Directory(listing.names);
}

void TDirectory_Select_Dlg::Move_To(const std::string& directory)
{
    const std::vector<std::string> subdirectories = Enter_Directory(directory);
    directory_ = directory;
    Show_Directory(subdirectories);
}

void TDirectory_Select_Dlg::Show_Directory(const std::vector<std::string>& subdirectories)
{
    last_directory_on_volume_[Volume_Holding(directory_, volumes_)] = directory_;
    const QIcon open_icon = Folder_Glyph(true);
    const QIcon closed_icon = Folder_Glyph(false);
    const QBrush hidden_text = DirectoryListBox1->palette().brush(QPalette::Disabled, QPalette::Text);
    DirectoryListBox1->clear();
    int current_row = 0;
    for (const auto& row : Directory_Rows(directory_, subdirectories)) {
        auto* item = new QListWidgetItem(row.open ? open_icon : closed_icon, Shown_Text(row.name));
        item->setData(Path_Role, QByteArray::fromStdString(row.path));
        item->setData(Level_Role, row.level);
        // Dimmed as file managers show hidden folders, yet as usable as any
        // other row; a screen reader hears the word the colour stands for.
        if (row.hidden) {
            item->setForeground(hidden_text);
            item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("hidden"));
        }
        DirectoryListBox1->addItem(item);
        if (row.open)
            current_row = DirectoryListBox1->count() - 1;
    }
    DirectoryListBox1->setCurrentRow(current_row);
    DirectoryListBox1->scrollToItem(DirectoryListBox1->currentItem());
    Show_Volume();
}

void TDirectory_Select_Dlg::Show_Volume()
{
    const auto volume = std::find(volumes_.begin(), volumes_.end(), Volume_Holding(directory_, volumes_));
    DriveComboBox1->setCurrentIndex(volume == volumes_.end() ? -1 : static_cast<int>(volume - volumes_.begin()));
}

void TDirectory_Select_Dlg::DriveComboBox1Change(int index)
{
    if (index < 0 || index >= static_cast<int>(volumes_.size()))
        return;
    const std::string& volume = volumes_[static_cast<std::size_t>(index)];
    const auto last = last_directory_on_volume_.find(volume);
    const std::string target = last == last_directory_on_volume_.end() ? volume : last->second;
    // Should the move fail, the box goes on naming the volume still shown.
    Show_Volume();
    Move_To(target);
}

void TDirectory_Select_Dlg::DirectoryListBox1DblClick(QListWidgetItem* item)
{
    if (item != nullptr)
        Move_To(item->data(Path_Role).toByteArray().toStdString());
}

void TDirectory_Select_Dlg::CancelBtnClick()
{
    reject();
}

// Enter belongs to OK from every control, so the list takes other keys to
// move: Space enters the highlighted row and Backspace goes up one level.
// Errors leave here as exceptions for the application's top-level handler.
bool TDirectory_Select_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DirectoryListBox1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Space) {
            DirectoryListBox1DblClick(DirectoryListBox1->currentItem());
            return true;
        }
        if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Backspace) {
            if (directory_ != "/")
                Move_To(directory_.substr(0, std::max<std::size_t>(directory_.rfind('/'), 1)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
