#include <gtest/gtest.h>

#include "Clock_Driver.h"

// clock_window_tests <path of horavox.exe> [gtest options]
int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fputs("usage: clock_window_tests <horavox.exe>\n", stderr);
        return 2;
    }
    std::wstring executable = argv[1];
    // ctest passes the build's Unix path; Wine shows the Unix root as drive Z:.
    if (executable.starts_with(L"/")) {
        executable = L"Z:" + executable;
        for (wchar_t& character : executable)
            if (character == L'/')
                character = L'\\';
    }
    Clock_Executable = executable;
    return RUN_ALL_TESTS();
}
