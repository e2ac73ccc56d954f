#pragma once
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include <QTime>
#include <QWidget>

#include "clock/Dialog_Table.h"

class QDialog;

// The widgets made from a dialog's table, by the control's name.
struct TDialog_Widgets {
    std::map<std::string_view, QWidget*> by_name;
    std::vector<QWidget*> pages;  // the notebook's pages, in order

    template <typename Control>
    Control* Get(std::string_view name) const
    {
        return qobject_cast<Control*>(by_name.at(name));
    }
};

// The dialog's name, caption, fixed size and designed screen position, scaled
// to its screen. The frame's buttons stay each dialog's own.
void Set_Up_Dialog(QDialog& dialog, const TDialog_Table& table);

// Makes every control of the table on `dialog`, in the table's order (which
// gives the tab order), at its place scaled to the dialog's screen, with its
// caption, hint, glyph, access key and accessible name. A radio button
// becomes a child of its radio group's box, so that Qt keeps the group
// exclusive and a screen reader names the group as it enters it. Every
// button that carries a command runs `run_command` with it when clicked.
TDialog_Widgets Build_Dialog_Controls(QDialog& dialog, const TDialog_Table& table,
                                      std::function<void(TDialog_Command)> run_command);

// The screen's pixels per inch, as the tables' places are scaled to them.
int Screen_Dpi(const QWidget& widget);

// A time edit's value: `minutes` since midnight.
QTime Time_Of_Day(int minutes);
