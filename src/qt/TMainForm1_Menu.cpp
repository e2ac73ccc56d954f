#include <utility>

#include <QMenuBar>

#include "qt/TMainForm1.h"

namespace {

// A check mark is state that only the item's handler changes; a click must
// not toggle it on its own.
void Keep_Check_Mark_On_Click(QAction* item)
{
    QObject::connect(item, &QAction::triggered, item, [item](bool checked) { item->setChecked(!checked); });
}

}  // namespace

void TMainForm1::Create_Menu()
{
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");

    const std::pair<TMain_Command, QAction**> items[] = {
        {TMain_Command::Always_On_Top, &Always_On_Top_Option},
        {TMain_Command::Auto_Run_at_Windows_Startup, &Auto_Run_at_Windows_Startup_Option},
        {TMain_Command::Restore_Factory_Defaults, &Restore_Factory_Defaults_Option},
        {TMain_Command::Show_Settings, &Show_Settings_Form},
        {TMain_Command::Record_Sound_Files, &Record_Sound_Files_Option},
        {TMain_Command::Record_Own_Voice, &Record_Own_Voice_Option},
        {TMain_Command::Exit, &Exit_Option},
        {TMain_Command::View_Readme_file, &View_Readme_file_Option},
        {TMain_Command::About, &AboutOption},
    };
    QMenu** const menus[] = {&File_Menu, &Help_Menu};
    for (std::size_t index = 0; index < Main_Menus.size(); ++index) {
        const TMenu& design = Main_Menus[index];
        QMenu* menu = MainMenu1->addMenu(design.caption);
        menu->setObjectName(design.name);
        *menus[index] = menu;
        for (int number = 0; number < design.item_count; ++number) {
            const TMenu_Item& item_design = design.items[number];
            if (item_design.command == TMain_Command::None) {
                menu->addSeparator();
                continue;
            }
            QAction* item = menu->addAction(item_design.caption);
            item->setObjectName(item_design.name);
            if (item_design.check_mark) {
                item->setCheckable(true);
                Keep_Check_Mark_On_Click(item);
            }
            connect(item, &QAction::triggered, this, [this, command = item_design.command] { Run_Command(command); });
            for (const auto& [command, member] : items)
                if (command == item_design.command)
                    *member = item;
        }
    }

    // The date item: no caption and hidden until the first tick.
    SpareMenu = MainMenu1->addAction(QString());
    SpareMenu->setObjectName(Spare_Menu_Name);
    SpareMenu->setVisible(false);
    connect(SpareMenu, &QAction::triggered, this, &TMainForm1::SpareMenuClick);
}

void TMainForm1::Run_Command(TMain_Command command)
{
    switch (command) {
    case TMain_Command::Always_On_Top: Always_On_Top_OptionClick(); break;
    case TMain_Command::Auto_Run_at_Windows_Startup: Auto_Run_at_Windows_Startup_OptionClick(); break;
    case TMain_Command::Restore_Factory_Defaults: Restore_Factory_Defaults_OptionClick(); break;
    case TMain_Command::Show_Settings: Show_Settings_FormClick(); break;
    case TMain_Command::Record_Sound_Files: Record_Sound_Files_OptionClick(); break;
    case TMain_Command::Record_Own_Voice: Record_Own_Voice_OptionClick(); break;
    case TMain_Command::Exit: Exit_OptionClick(); break;
    case TMain_Command::View_Readme_file: View_Readme_file_OptionClick(); break;
    case TMain_Command::About: AboutOptionClick(); break;
    case TMain_Command::Spare_Menu: SpareMenuClick(); break;
    case TMain_Command::None: break;
    }
}
