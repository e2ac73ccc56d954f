/* A stand-in for a program the clock starts: it adds the command line it was
   started with, as one line, to the file that HORAVOX_NOTED_COMMANDS names,
   and ends. Built as Notepad.exe, SNDREC32.EXE and SNDREC.EXE beside the test
   program, where the search for a program to start looks first. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(void)
{
    const char *notes = getenv("HORAVOX_NOTED_COMMANDS");
    FILE *file;
    if (notes == NULL || (file = fopen(notes, "ab")) == NULL)
        return 1;
    fprintf(file, "%s\n", GetCommandLineA());
    fclose(file);
    return 0;
}
