#include "qt/Directory_Select_Dlg.h"

#include <filesystem>
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "qt/Horavox_Application.h"
#include "system/Volumes.h"
#include "support/Temp_Dir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

// A chooser created in a fresh tree "tree" holding alpha (with inner), Beta
// and a hidden directory, with the tree as the working directory at start.
class TDirectory_Select_Dlg_Test : public ::testing::Test {
protected:
    TDirectory_Select_Dlg_Test()
    {
        for (const char* sub : {"tree/alpha/inner", "tree/Beta", "tree/.hidden"})
            fs::create_directories(temp.Path() / sub);
        tree = fs::canonical(temp.Path() / "tree").string();
        fs::current_path(tree);
        dialog = std::make_unique<TDirectory_Select_Dlg>();
    }
    ~TDirectory_Select_Dlg_Test() override
    {
        application->Set_Error_Presenter({});
        fs::current_path(original_directory);
    }

    QStringList Rows() const
    {
        QStringList texts;
        for (int row = 0; row < dialog->DirectoryListBox1->count(); ++row)
            texts << dialog->DirectoryListBox1->item(row)->text();
        return texts;
    }
    QString Current_Row() const { return dialog->DirectoryListBox1->currentItem()->text(); }
    // As the window system delivers them: a click is press and release; a
    // double click adds a press, the double click and a release.
    void Click(const QString& text, bool twice = false)
    {
        QListWidget* list = dialog->DirectoryListBox1;
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        const QPoint at = list->visualItemRect(found.back()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
    }
    void Double_Click(const QString& text) { Click(text, true); }

    THoravox_Application* application = qobject_cast<THoravox_Application*>(QCoreApplication::instance());
    const fs::path original_directory = fs::current_path();
    TTemp_Dir temp;
    std::string tree;
    std::unique_ptr<TDirectory_Select_Dlg> dialog;
};

TEST_F(TDirectory_Select_Dlg_Test, Opens_On_The_Start_Directory_With_Ok_Focused)
{
    EXPECT_EQ(dialog->Directory().toStdString(), tree);
    EXPECT_EQ(dialog->DirectoryListBox1, nullptr) << "nothing is built before the first showing";
    fs::current_path("/");  // the start directory is the one at creation
    dialog->show();
    EXPECT_EQ(dialog->Directory().toStdString(), tree);
    EXPECT_THAT(Rows().mid(Rows().indexOf("tree")), ElementsAre("tree", "alpha", "Beta", ".hidden"));
    EXPECT_EQ(Current_Row(), "tree");
    // What a screen reader is told of a row, besides its name.
    const auto description = [this](const QString& row) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(dialog->DirectoryListBox1);
        QAccessibleInterface* cell = list->tableInterface()->cellAt(static_cast<int>(Rows().indexOf(row)), 0);
        return cell == nullptr ? QString("no cell") : cell->text(QAccessible::Description);
    };
    EXPECT_EQ(description(".hidden"), "hidden");
    EXPECT_EQ(description("Beta"), "");
    EXPECT_EQ(dialog->DriveComboBox1->currentText().toStdString(), Volume_Holding(tree, Mounted_Volumes()));
    EXPECT_EQ(dialog->focusWidget(), dialog->OKBtn);
    dialog->reject();
}

TEST_F(TDirectory_Select_Dlg_Test, Moves_By_Mouse_And_Keys_Change_The_Working_Directory)
{
    const auto key = [this](Qt::Key pressed) { QTest::keyClick(dialog->DirectoryListBox1, pressed); };
    struct Case {
        const char* action;
        std::function<void()> act;
        std::string expected;  // below the tree unless absolute
    };
    const std::vector<Case> cases{
        {"a single click only highlights", [&] { Click("alpha"); }, ""},
        {"double click", [&] { Double_Click("alpha"); }, "/alpha"},
        {"Space enters the highlighted row", [&] { Click("inner"), key(Qt::Key_Space); }, "/alpha/inner"},
        {"Backspace goes up", [&] { key(Qt::Key_Backspace); }, "/alpha"},
        {"Backspace again", [&] { key(Qt::Key_Backspace); }, ""},
        {"Space enters a hidden row", [&] { Click(".hidden"), key(Qt::Key_Space); }, "/.hidden"},
        {"double click on the root", [&] { Double_Click("/"); }, "/"},
    };
    dialog->show();
    for (const auto& c : cases) {
        c.act();
        const std::string expected = c.expected == "/" ? "/" : tree + c.expected;
        EXPECT_EQ(dialog->Directory().toStdString(), expected) << c.action;
        EXPECT_EQ(fs::current_path(), expected) << c.action;
    }
    dialog->reject();
}

TEST_F(TDirectory_Select_Dlg_Test, Every_Ending_Keeps_The_Directory_Moved_To_Not_A_Highlighted_Row)
{
    dialog->show();
    const auto press = [](QWidget* control, Qt::Key key) { return [=] { QTest::keyClick(control, key); }; };
    struct Case {
        const char* how;
        std::function<void()> end;
        int result;
    };
    const std::vector<Case> cases{
        {"Enter on the drive list", press(dialog->DriveComboBox1, Qt::Key_Return), QDialog::Accepted},
        {"Enter on the directory list", press(dialog->DirectoryListBox1, Qt::Key_Return), QDialog::Accepted},
        {"Enter on OK", press(dialog->OKBtn, Qt::Key_Return), QDialog::Accepted},
        {"Enter on Cancel", press(dialog->CancelBtn, Qt::Key_Return), QDialog::Accepted},
        {"Cancel", [this] { dialog->CancelBtn->click(); }, QDialog::Rejected},
        {"Esc", press(dialog->DirectoryListBox1, Qt::Key_Escape), QDialog::Rejected},
        {"close box", [this] { dialog->close(); }, QDialog::Rejected},
    };
    for (const auto& c : cases) {
        dialog->show();
        const bool in_tree = dialog->Directory().toStdString() == tree;
        Double_Click(in_tree ? "alpha" : "tree");
        Click(in_tree ? "inner" : "Beta");
        const QString moved_to = dialog->Directory();
        c.end();
        EXPECT_EQ(dialog->result(), c.result) << c.how;
        EXPECT_EQ(dialog->Directory(), moved_to) << c.how;
        EXPECT_EQ(fs::current_path().string(), moved_to.toStdString()) << c.how;
        dialog->show();
        EXPECT_EQ(Current_Row(), moved_to.section('/', -1)) << c.how << ": reopens there";
        dialog->reject();
    }
}

TEST_F(TDirectory_Select_Dlg_Test, A_Volume_Opens_On_Its_Last_Directory)
{
    dialog->Use_Volume_Source([this] { return std::vector<std::string>{"/", tree}; });
    dialog->show();
    EXPECT_EQ(dialog->DriveComboBox1->currentIndex(), 1);
    Double_Click("alpha");
    QTest::keyClick(dialog->DriveComboBox1, Qt::Key_Up);
    EXPECT_EQ(dialog->Directory(), "/") << "first visit: the mount point";
    EXPECT_EQ(fs::current_path(), "/");
    QTest::keyClick(dialog->DriveComboBox1, Qt::Key_Down);
    EXPECT_EQ(dialog->Directory().toStdString(), tree + "/alpha");
    EXPECT_EQ(fs::current_path(), tree + "/alpha");
    Double_Click(QString::fromStdString(fs::path(tree).parent_path().filename().string()));
    EXPECT_EQ(dialog->DriveComboBox1->currentIndex(), 0) << "the box names the volume holding the directory";
    dialog->reject();
}

// Runs unprivileged too (see tests/CMakeLists.txt): permissions do not bind root.
TEST_F(TDirectory_Select_Dlg_Test, An_Unreadable_Directory_Is_An_Error_And_Nothing_Moves)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    fs::create_directory(temp.Path() / "locked");
    fs::permissions(tree + "/alpha", fs::perms::none);
    fs::permissions(temp.Path() / "locked", fs::perms::none);
    const std::string locked_volume = (temp.Path() / "locked").string();
    dialog->Use_Volume_Source([&] { return std::vector<std::string>{"/", locked_volume, tree}; });
    QStringList error_boxes;
    application->Set_Error_Presenter(
        [&](const QString& caption, const QString& text) { error_boxes << caption + "|" + text; });
    const std::vector<std::pair<const char*, std::function<void()>>> moves{
        {"double click", [this] { Double_Click("alpha"); }},
        {"volume", [this] { QTest::keyClick(dialog->DriveComboBox1, Qt::Key_Up); }},
    };
    dialog->show();
    const QStringList rows = Rows();
    for (const auto& [how, move] : moves) {
        error_boxes.clear();
        move();
        EXPECT_THAT(error_boxes, ElementsAre(QGuiApplication::applicationDisplayName() + "|I/O error 13.")) << how;
        EXPECT_EQ(dialog->Directory().toStdString(), tree) << how;
        EXPECT_EQ(fs::current_path(), tree) << how;
        EXPECT_EQ(Rows(), rows) << how;
        EXPECT_EQ(dialog->DriveComboBox1->currentIndex(), 2) << how;
    }
    dialog->reject();
}

}  // namespace
