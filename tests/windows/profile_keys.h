/* The 28 keys of section "vocahora", in the order the settings file lists
   them: the keys profile_probe asks Windows for and the test asks the
   project's reader for. Plain C, for both. */
#ifndef PROFILE_KEYS_H
#define PROFILE_KEYS_H

static const char *const Profile_Keys[] = {
    "WindowState_wsMaximized", "window_top_posn", "window_left_posn", "window_ClientWidth", "window_ClientHeight",
    "Keep_Repeating_Time_RadioButton", "Never_Say_Time_Option", "Say_Time_Every_Minute_Option",
    "Say_Time_Every_5_Minutes_Option", "Say_Time_Every_10_Minutes_Option", "Say_Time_Every_Quarter_Hour_Option",
    "Say_Time_Every_Half_Hour_Option", "Say_Time_Every_Hour_Option", "N12_Hour_Clock_Option", "N24_Hour_Clock_Option",
    "Optimised_Play_Option", "Sequential_Play_Option", "Fastest_Play_Option", "Prefix1_Suffix1_Option",
    "Random_Prefix_Suffix_Option", "Random_Prefix_Suffix_with_Blank_Option", "No_Prefix_and_No_Suffix_RadioButton",
    "Normal_Sounds_RadioButton", "Eight_Bells_Nautical_RadioButton", "Sound_Directory_Edit",
    "Inform_Me_of_Missing_Sound_Files_CheckBox", "Always_on_Top_Option", "Auto_Run_at_Windows_Startup_Option"};

#endif
