#include <QMenuBar>

#include "qt/TMainForm1.h"

namespace {

// A check mark is state that only the item's handler changes; a click must
// not toggle it on its own.
void Keep_Check_Mark_On_Click(QAction* item)
{
    QObject::connect(item, &QAction::triggered, item, [item](bool checked) { item->setChecked(!checked); });
}

QAction* Add_Item(QMenu* menu, const char* name, const char* caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

}  // namespace

void TMainForm1::Create_Menu()
{
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");

    File_Menu = MainMenu1->addMenu("&File");
    File_Menu->setObjectName("File_Menu");
    Always_On_Top_Option = Add_Item(File_Menu, "Always_On_Top_Option", "Always on Top");
    Always_On_Top_Option->setCheckable(true);
    Keep_Check_Mark_On_Click(Always_On_Top_Option);
    connect(Always_On_Top_Option, &QAction::triggered, this, &TMainForm1::Always_On_Top_OptionClick);
    Auto_Run_at_Windows_Startup_Option =
        Add_Item(File_Menu, "Auto_Run_at_Windows_Startup_Option", "&Auto-Run at Windows Startup");
    Auto_Run_at_Windows_Startup_Option->setCheckable(true);
    Keep_Check_Mark_On_Click(Auto_Run_at_Windows_Startup_Option);
    connect(Auto_Run_at_Windows_Startup_Option, &QAction::triggered, this,
            &TMainForm1::Auto_Run_at_Windows_Startup_OptionClick);
    Restore_Factory_Defaults_Option =
        Add_Item(File_Menu, "Restore_Factory_Defaults_Option", "&Restore Factory Defaults");
    connect(Restore_Factory_Defaults_Option, &QAction::triggered, this,
            &TMainForm1::Restore_Factory_Defaults_OptionClick);
    File_Menu->addSeparator();
    Show_Settings_Form = Add_Item(File_Menu, "Show_Settings_Form", "&Settings");
    connect(Show_Settings_Form, &QAction::triggered, this, &TMainForm1::Show_Settings_FormClick);
    File_Menu->addSeparator();
    Record_Sound_Files_Option = Add_Item(File_Menu, "Record_Sound_Files_Option", "&Record Sound Files");
    connect(Record_Sound_Files_Option, &QAction::triggered, this, &TMainForm1::Record_Sound_Files_OptionClick);
    Record_Own_Voice_Option = Add_Item(File_Menu, "Record_Own_Voice_Option", "Record Your Own &Voice...");
    connect(Record_Own_Voice_Option, &QAction::triggered, this, &TMainForm1::Record_Own_Voice_OptionClick);
    File_Menu->addSeparator();
    Exit_Option = Add_Item(File_Menu, "Exit_Option", "E&xit");
    connect(Exit_Option, &QAction::triggered, this, &TMainForm1::Exit_OptionClick);

    Help_Menu = MainMenu1->addMenu("&Help");
    Help_Menu->setObjectName("Help_Menu");
    View_Readme_file_Option = Add_Item(Help_Menu, "View_Readme_file_Option", "&View Readme file");
    connect(View_Readme_file_Option, &QAction::triggered, this, &TMainForm1::View_Readme_file_OptionClick);
    Help_Menu->addSeparator();
    AboutOption = Add_Item(Help_Menu, "AboutOption", "&About");
    connect(AboutOption, &QAction::triggered, this, &TMainForm1::AboutOptionClick);

    // The date item: no caption and hidden until the first tick.
    SpareMenu = MainMenu1->addAction(QString());
    SpareMenu->setObjectName("SpareMenu");
    SpareMenu->setVisible(false);
    connect(SpareMenu, &QAction::triggered, this, &TMainForm1::SpareMenuClick);
}
