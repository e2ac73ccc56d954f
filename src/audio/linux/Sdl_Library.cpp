#include "audio/linux/Sdl_Library.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

#include "engine/SoundPlayer.h"

namespace {

constexpr char Library_Name[] = "libSDL2-2.0.so.0";

// The library is one per process, whoever loads it, so its handle is too.
struct TLoaded_Library {
    std::mutex Lock;
    int Uses = 0;
    void* Handle = nullptr;
    TSdl_Functions Functions{};
};

TLoaded_Library& Library()
{
    static TLoaded_Library library;
    return library;
}

std::string Loader_Text()
{
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

template <typename TFunction>
void Find(void* handle, TFunction& function, const char* name, std::string& missing)
{
    function = reinterpret_cast<TFunction>(dlsym(handle, name));
    if (function == nullptr && missing.empty())
        missing = name;
}

TSdl_Functions Find_Functions(void* handle, std::string& missing)
{
    TSdl_Functions f{};
    Find(handle, f.GetError, "SDL_GetError", missing);
    Find(handle, f.ClearError, "SDL_ClearError", missing);
    Find(handle, f.SetHint, "SDL_SetHint", missing);
    Find(handle, f.InitSubSystem, "SDL_InitSubSystem", missing);
    Find(handle, f.QuitSubSystem, "SDL_QuitSubSystem", missing);
    Find(handle, f.Quit, "SDL_Quit", missing);
    Find(handle, f.OpenAudioDevice, "SDL_OpenAudioDevice", missing);
    Find(handle, f.PauseAudioDevice, "SDL_PauseAudioDevice", missing);
    Find(handle, f.CloseAudioDevice, "SDL_CloseAudioDevice", missing);
    Find(handle, f.LockAudioDevice, "SDL_LockAudioDevice", missing);
    Find(handle, f.UnlockAudioDevice, "SDL_UnlockAudioDevice", missing);
    Find(handle, f.RWFromFile, "SDL_RWFromFile", missing);
    Find(handle, f.LoadWAV_RW, "SDL_LoadWAV_RW", missing);
    Find(handle, f.FreeWAV, "SDL_FreeWAV", missing);
    Find(handle, f.BuildAudioCVT, "SDL_BuildAudioCVT", missing);
    Find(handle, f.ConvertAudio, "SDL_ConvertAudio", missing);
    Find(handle, f.NewAudioStream, "SDL_NewAudioStream", missing);
    Find(handle, f.AudioStreamPut, "SDL_AudioStreamPut", missing);
    Find(handle, f.AudioStreamGet, "SDL_AudioStreamGet", missing);
    Find(handle, f.AudioStreamAvailable, "SDL_AudioStreamAvailable", missing);
    Find(handle, f.AudioStreamFlush, "SDL_AudioStreamFlush", missing);
    Find(handle, f.FreeAudioStream, "SDL_FreeAudioStream", missing);
    return f;
}

void Load(TLoaded_Library& library)
{
    void* handle = dlopen(Library_Name, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw EMCIDeviceError("The sound library could not be loaded: " + Loader_Text());
    std::string missing;
    const TSdl_Functions functions = Find_Functions(handle, missing);
    if (!missing.empty()) {
        dlclose(handle);
        throw EMCIDeviceError("The sound library " + std::string(Library_Name) + " is too old: it lacks " + missing);
    }
    library.Handle = handle;
    library.Functions = functions;
}

}  // namespace

TSdl_Use::TSdl_Use() : functions_(Library().Functions)
{
    TLoaded_Library& library = Library();
    const std::lock_guard lock(library.Lock);
    if (library.Uses == 0)
        Load(library);
    ++library.Uses;
}

TSdl_Use::~TSdl_Use()
{
    TLoaded_Library& library = Library();
    const std::lock_guard lock(library.Lock);
    if (--library.Uses > 0)
        return;
    // SDL_Quit first: it ends SDL's threads and frees its thread-local
    // storage, whose destructor would otherwise point into unmapped code.
    library.Functions.Quit();
    dlclose(library.Handle);
    library.Handle = nullptr;
    library.Functions = {};
}
