/* What Windows' own reader of initialisation files, GetPrivateProfileStringA,
   gives for the 28 keys of section "vocahora" in each file listed, one full
   path per line, in the file named by the first argument. For each file and
   key it prints a line "<file number> <key> -" when the key is not found, or
   "<file number> <key> =<value>" with each byte of the value as two
   hexadecimal digits. Plain C and the Windows API alone, so that it shares
   nothing with the reader it is compared with. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static const char *const keys[] = {
    "WindowState_wsMaximized", "window_top_posn", "window_left_posn", "window_ClientWidth", "window_ClientHeight",
    "Keep_Repeating_Time_RadioButton", "Never_Say_Time_Option", "Say_Time_Every_Minute_Option",
    "Say_Time_Every_5_Minutes_Option", "Say_Time_Every_10_Minutes_Option", "Say_Time_Every_Quarter_Hour_Option",
    "Say_Time_Every_Half_Hour_Option", "Say_Time_Every_Hour_Option", "N12_Hour_Clock_Option", "N24_Hour_Clock_Option",
    "Optimised_Play_Option", "Sequential_Play_Option", "Fastest_Play_Option", "Prefix1_Suffix1_Option",
    "Random_Prefix_Suffix_Option", "Random_Prefix_Suffix_with_Blank_Option", "No_Prefix_and_No_Suffix_RadioButton",
    "Normal_Sounds_RadioButton", "Eight_Bells_Nautical_RadioButton", "Sound_Directory_Edit",
    "Inform_Me_of_Missing_Sound_Files_CheckBox", "Always_on_Top_Option", "Auto_Run_at_Windows_Startup_Option"};

/* The default given for every key: no test file holds it. */
static const char missing[] = "?horavox-key-not-found?";

int main(int argc, char **argv)
{
    static char path[4096];
    static char value[2048];
    FILE *list;
    int file = 0;
    if (argc != 2 || (list = fopen(argv[1], "r")) == NULL) {
        fprintf(stderr, "usage: profile_probe <file listing one path per line>\n");
        return 2;
    }
    while (fgets(path, sizeof path, list) != NULL) {
        size_t k;
        path[strcspn(path, "\r\n")] = '\0';
        ++file;
        for (k = 0; k < sizeof keys / sizeof keys[0]; ++k) {
            DWORD length = GetPrivateProfileStringA("vocahora", keys[k], missing, value, sizeof value, path);
            DWORD i;
            if (strcmp(value, missing) == 0) {
                printf("%d %s -\n", file, keys[k]);
                continue;
            }
            printf("%d %s =", file, keys[k]);
            for (i = 0; i < length; ++i)
                printf("%02x", (unsigned char)value[i]);
            printf("\n");
        }
    }
    fclose(list);
    return 0;
}
