/* Overruns a local buffer: the programs' own stack guard must end it, with
 * the guard drawn before main and without the CryptoAPI's libraries loaded. */
#include <stddef.h>
#include <stdio.h>

#include <windows.h>

extern void* __stack_chk_guard;

__attribute__((noinline)) static void Overrun_Local_Buffer(size_t length)
{
    char buffer[16];
    char* volatile target = buffer;
    for (size_t index = 0; index < length; ++index)
        target[index] = 'x';
}

int main(void)
{
    printf("guard %s, bcrypt %s\n", __stack_chk_guard != NULL ? "set" : "unset",
           GetModuleHandleW(L"bcrypt.dll") != NULL ? "loaded" : "not loaded");
    fflush(stdout);
    Overrun_Local_Buffer(48);
    printf("not stopped\n");
    return 0;
}
