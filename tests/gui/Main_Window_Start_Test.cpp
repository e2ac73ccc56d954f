#include <string>

#include <QCoreApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QTextStream>

#include "Main_Window_Fixture.h"
#include "qt/Clock_Face.h"

namespace {

// Everything of the window's layout the user could see change.
std::string Layout_Of(TMainForm1& form)
{
    QString text;
    QTextStream out(&text);
    const auto box = [&out](const char* name, const QRect& r) {
        out << name << ' ' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << '\n';
    };
    box("window", form.geometry());
    box("restored", form.normalGeometry());
    box("menu bar", form.menuBar()->geometry());
    box("client", form.centralWidget()->geometry());
    box("face", form.Time_Label->geometry());
    out << "menu bar shown " << form.menuBar()->isVisible() << ", face font " << form.Time_Label->font().pointSize()
        << ", smallest window " << form.minimumWidth() << 'x' << form.minimumHeight() << '\n';
    for (int row = 0; row < form.Scaling_ListBox->count(); ++row)
        out << form.Scaling_ListBox->item(row)->text() << '\n';
    return text.toStdString();
}

// The parameter: the window starts maximised.
class TStart_Test : public TMain_Window_Test, public ::testing::WithParamInterface<bool> {
protected:
    TStart_Test() { Write_Settings(""); }
    void Write_Settings(const std::string& more)
    {
        program_dir.Write("vocahora.ini", "[vocahora]\r\nwindow_left_posn=300\r\nwindow_top_posn=250\r\n"
                                          "window_ClientWidth=400\r\nwindow_ClientHeight=100\r\n" + more);
    }

    // Starts the clock afresh; the layout as it stands when show() returns,
    // before any event has been handled.
    std::string Start()
    {
        Create_Windows();
        font_waits = 0;
        form->show();
        return Layout_Of(*form);
    }

    TTemp_Dir cache;
};

// However the menu bar's height is remembered, the window is laid out as one
// that measured it first, by the time show() returns; the memory ends up
// holding the measured height.
TEST_P(TStart_Test, RememberedMenuBarHeightGivesTheSameLayoutAsMeasuringFirst)
{
    const std::string maximised = GetParam() ? "WindowState_wsMaximized=1\r\n" : "";
    Write_Settings(maximised);
    const std::string measured_first = Start();
    const int height = form->menuBar()->height();
    QCoreApplication::processEvents();
    const std::string settled_first = Layout_Of(*form);
    ASSERT_GT(height, 0);

    menu_bar_memory_path = cache.Dir() + "horavox/menu-bar";
    EXPECT_EQ(Start(), measured_first);
    const std::string memory = Read_File(menu_bar_memory_path);
    ASSERT_EQ(memory.substr(memory.rfind('\t')), "\t" + std::to_string(height) + "\n");
    const std::string key = memory.substr(0, memory.rfind('\t'));

    const struct {
        const char* what;
        std::string memory;
    } cases[] = {
        {"right", key + "\t" + std::to_string(height) + "\n"},
        {"too tall", key + "\t" + std::to_string(height + 7) + "\n"},
        {"too short", key + "\t" + std::to_string(height - 5) + "\n"},
        {"another font's", "other" + key + "\t" + std::to_string(height + 7) + "\n"},
        {"damaged", key + "\t" + std::to_string(height)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cache.Write("horavox/menu-bar", c.memory);
        EXPECT_EQ(Start(), measured_first);
        EXPECT_EQ(font_waits, 1);
        EXPECT_EQ(Read_File(menu_bar_memory_path), key + "\t" + std::to_string(height) + "\n");
        QCoreApplication::processEvents();
        EXPECT_EQ(Layout_Of(*form), settled_first);
        // The factory reset reruns the start-up sequence, which measures from then on.
        if (!GetParam()) {
            form->FormShow();
            EXPECT_EQ(Layout_Of(*form), settled_first);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Restored_Or_Maximised, TStart_Test, ::testing::Bool());

}  // namespace
