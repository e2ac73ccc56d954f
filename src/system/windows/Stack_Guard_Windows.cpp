// The stack protector's guard value and its failure handlers, in place of the
// compiler's libssp. libssp draws the guard from the CryptoAPI, which under
// Wine loads bcrypt and GnuTLS before the program's first line: 20 to 35 ms of
// every start. RtlGenRandom is the generator rand_s uses, with no such cost.
// Defining these here keeps libssp's members out of every program that links
// this library (the linker takes the first definition it meets).
#include <windows.h>
#include <ntsecapi.h>

namespace {

[[noreturn]] void Stop_Program(const char* text, DWORD length)
{
    DWORD written = 0;
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
        WriteFile(error, text, length, &written, nullptr);
    // As a failed /GS check ends a program: no handler, no unwinding.
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_unreachable();
}

}  // namespace

extern "C" {

void* __stack_chk_guard = nullptr;

// Before every other constructor, and unprotected itself: a protected function
// that is running when the guard changes would fail its check on return.
__attribute__((constructor(101), no_stack_protector, noinline)) void Set_Stack_Guard()
{
    void* guard = nullptr;
    if (!RtlGenRandom(&guard, sizeof guard) || guard == nullptr)
        guard = reinterpret_cast<void*>(static_cast<ULONG_PTR>(GetTickCount64() ^ GetCurrentProcessId()) | 0xFF);
    __stack_chk_guard = guard;
}

[[noreturn]] void __stack_chk_fail()
{
    static const char text[] = "*** stack smashing detected ***: terminated\n";
    Stop_Program(text, sizeof text - 1);
}

[[noreturn]] void __chk_fail()
{
    static const char text[] = "*** buffer overflow detected ***: terminated\n";
    Stop_Program(text, sizeof text - 1);
}

}  // extern "C"
