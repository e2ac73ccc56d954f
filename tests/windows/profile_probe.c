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

#include "profile_keys.h"

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
        for (k = 0; k < sizeof Profile_Keys / sizeof Profile_Keys[0]; ++k) {
            DWORD length = GetPrivateProfileStringA("vocahora", Profile_Keys[k], missing, value, sizeof value, path);
            DWORD i;
            if (strcmp(value, missing) == 0) {
                printf("%d %s -\n", file, Profile_Keys[k]);
                continue;
            }
            printf("%d %s =", file, Profile_Keys[k]);
            for (i = 0; i < length; ++i)
                printf("%02x", (unsigned char)value[i]);
            printf("\n");
        }
    }
    fclose(list);
    return 0;
}
