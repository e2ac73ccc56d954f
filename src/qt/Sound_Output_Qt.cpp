#include "qt/Qt_Notice_Loop.h"
#include "audio/Sound_Output.h"

// Apart from the rest, so a program without Qt links none of it.
TSound_Output::TSound_Output(std::chrono::milliseconds close_after_silence)
    : own_loop_(std::make_unique<TQt_Notice_Loop>()), loop_(*own_loop_), close_after_silence_(close_after_silence)
{
}
