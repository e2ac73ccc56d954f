#pragma once
#include <windows.h>

enum class TReset_Answer { Yes, No, Closed };

// The factory reset's question: warning icon, caption "Warning", Yes (the
// default) and No. Esc answers No; closing the box by its close box is an
// answer of its own, which the reset takes as going on.
TReset_Answer Ask_Reset_Question(HWND owner);
