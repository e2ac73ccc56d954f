#include "qt/Dialog_Builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTimeEdit>

#include "qt/Dialog_Fonts.h"
#include "qt/Glyphs.h"

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon Glyph(TGlyph glyph)
{
    switch (glyph) {
    case TGlyph::Tick: return Tick_Glyph();
    case TGlyph::Question_Mark: return Question_Mark_Glyph();
    case TGlyph::Cross: return Cross_Glyph();
    case TGlyph::None: break;
    }
    return {};
}

QWidget* Make_Control(const TDialog_Control& control, QWidget* parent)
{
    const QString caption = Text(control.caption);
    switch (control.kind) {
    case TControl_Kind::Notebook: return new QTabWidget(parent);
    case TControl_Kind::Group_Box: return new QGroupBox(caption, parent);
    case TControl_Kind::Bevel: {
        auto* bevel = new QFrame(parent);
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return bevel;
    }
    case TControl_Kind::Radio_Button: return new QRadioButton(caption, parent);
    case TControl_Kind::Check_Box: return new QCheckBox(caption, parent);
    case TControl_Kind::Push_Button: {
        auto* button = new QPushButton(Glyph(control.glyph), caption, parent);
        // Enter presses the default button whichever control has the focus.
        if (control.is_default)
            button->setDefault(true);
        else
            button->setAutoDefault(false);
        if (control.bold) {
            QFont font = Sans_Font(true);
            font.setPointSize(8);
            button->setFont(font);
        }
        return button;
    }
    case TControl_Kind::Label: {
        auto* label = new QLabel(caption, parent);
        if (control.right_aligned)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    }
    case TControl_Kind::Edit: {
        auto* edit = new QLineEdit(parent);
        if (control.read_only) {
            edit->setReadOnly(true);
            QPalette greyed = edit->palette();
            greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
            greyed.setColor(QPalette::Text, greyed.color(QPalette::Disabled, QPalette::Text));
            edit->setPalette(greyed);
        }
        return edit;
    }
    case TControl_Kind::Time_Edit: {
        auto* edit = new QTimeEdit(parent);
        edit->setDisplayFormat("HH:mm");
        edit->setTimeRange(Time_Of_Day(control.range.minimum), Time_Of_Day(control.range.maximum));
        edit->setWrapping(true);
        return edit;
    }
    case TControl_Kind::Track_Bar: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setRange(control.range.minimum, control.range.maximum);
        slider->setSingleStep(control.range.small_step);
        slider->setPageStep(control.range.large_step);
        return slider;
    }
    case TControl_Kind::Combo_Box: return new QComboBox(parent);
    case TControl_Kind::List_Box: return new QListWidget(parent);
    }
    return nullptr;
}

}  // namespace

QTime Time_Of_Day(int minutes)
{
    return QTime(0, 0).addSecs(60 * minutes);
}

int Screen_Dpi(const QWidget& widget)
{
    return qRound(widget.screen()->logicalDotsPerInch());
}

void Set_Up_Dialog(QDialog& dialog, const TDialog_Table& table)
{
    const int dpi = Screen_Dpi(dialog);
    dialog.setObjectName(Text(table.name));
    dialog.setWindowTitle(Text(table.caption));
    dialog.setModal(true);
    dialog.setFixedSize(Scaled(table.client_width, table.design_dpi, dpi),
                        Scaled(table.client_height, table.design_dpi, dpi));
    if (table.position)
        dialog.move(Scaled(table.position->left, table.design_dpi, dpi),
                    Scaled(table.position->top, table.design_dpi, dpi));
}

TDialog_Widgets Build_Dialog_Controls(QDialog& dialog, const TDialog_Table& table,
                                      std::function<void(TDialog_Command)> run_command)
{
    const int dpi = Screen_Dpi(dialog);
    TDialog_Widgets widgets;
    for (const TDialog_Control& control : table.controls) {
        const std::string_view parent_name = control.group.empty() ? control.container : control.group;
        QWidget* parent = &dialog;
        TControl_Place place = control.place;
        if (!parent_name.empty()) {
            parent = widgets.by_name.at(parent_name);
            const TControl_Place on_page = Place_On_Page(table, control);
            const TControl_Place parent_on_page = Place_On_Page(table, *Find_Control(table, parent_name));
            place.left = on_page.left - parent_on_page.left;
            place.top = on_page.top - parent_on_page.top;
        } else if (control.page != No_Page) {
            parent = widgets.pages.at(static_cast<std::size_t>(control.page));
        }

        QWidget* widget = Make_Control(control, parent);
        widget->setObjectName(Text(control.name));
        const TControl_Place scaled = Scaled(place, table.design_dpi, dpi);
        widget->setGeometry(scaled.left, scaled.top, scaled.width, scaled.height);
        if (!control.hint.empty())
            widget->setToolTip(Text(control.hint));
        // Buttons and labels are named by their captions; the rest as a label or frame names them.
        if (control.caption.empty() && control.kind != TControl_Kind::Label) {
            const std::string name = Accessible_Name(table, control);
            if (!name.empty())
                widget->setAccessibleName(QString::fromStdString(name));
        }
        if (control.command != TDialog_Command::None)
            QObject::connect(qobject_cast<QPushButton*>(widget), &QPushButton::clicked, &dialog,
                             [run_command, command = control.command] { run_command(command); });
        if (auto* notebook = qobject_cast<QTabWidget*>(widget)) {
            for (const std::string_view page : table.pages) {
                widgets.pages.push_back(new QWidget);
                notebook->addTab(widgets.pages.back(), Text(page));
            }
        }
        widgets.by_name.emplace(control.name, widget);
    }
    // A label's access key moves the focus to the control it stands for.
    for (const TDialog_Control& control : table.controls)
        if (!control.buddy.empty())
            widgets.Get<QLabel>(control.name)->setBuddy(widgets.by_name.at(control.buddy));
    return widgets;
}
