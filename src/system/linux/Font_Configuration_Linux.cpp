#include "system/Font_Configuration.h"

#include <dlfcn.h>

#include <system_error>
#include <thread>
#include <utility>

struct TFont_Configuration_Read_Ahead::TReader {
    std::thread thread;
};

// fontconfig comes with the toolkit's libraries, already loaded by now, so it
// is looked up rather than linked; a toolkit without it leaves nothing to do.
// Its first call builds the configuration once for the process, and the
// toolkit's own call finds it built.
TFont_Configuration_Read_Ahead::TFont_Configuration_Read_Ahead()
{
    using TFc_Init = int (*)();
    const auto fc_init = reinterpret_cast<TFc_Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (fc_init == nullptr)
        return;
    try {
        auto reader = std::make_unique<TReader>();
        reader->thread = std::thread([fc_init] { fc_init(); });
        reader_ = std::move(reader);
    } catch (const std::system_error&) {
        // No thread to spare: the toolkit reads the configuration when it needs it.
    }
}

TFont_Configuration_Read_Ahead::~TFont_Configuration_Read_Ahead()
{
    Wait();
}

void TFont_Configuration_Read_Ahead::Wait()
{
    if (reader_ && reader_->thread.joinable())
        reader_->thread.join();
}
