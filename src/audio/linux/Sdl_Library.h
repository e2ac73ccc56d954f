#pragma once
#include <SDL.h>

// The SDL functions the program calls, found in the library once it is loaded.
struct TSdl_Functions {
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_ClearError) ClearError;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_Quit) Quit;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
    decltype(&SDL_RWFromFile) RWFromFile;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
    decltype(&SDL_NewAudioStream) NewAudioStream;
    decltype(&SDL_AudioStreamPut) AudioStreamPut;
    decltype(&SDL_AudioStreamGet) AudioStreamGet;
    decltype(&SDL_AudioStreamAvailable) AudioStreamAvailable;
    decltype(&SDL_AudioStreamFlush) AudioStreamFlush;
    decltype(&SDL_FreeAudioStream) FreeAudioStream;
};

// Keeps SDL loaded while it lives. SDL is loaded by the first use and
// unloaded, after SDL_Quit, when the last one goes: with it come some forty
// libraries (the sound server's client and its codecs, Wayland, DRM, X
// extensions) that a clock sitting silent between announcements need not map.
// Nothing SDL made (a file, a decoded buffer, an open device) may outlive
// the uses it was made under. Any thread may hold one.
class TSdl_Use {
public:
    // Throws EMCIDeviceError with the loader's text when SDL cannot be loaded.
    TSdl_Use();
    ~TSdl_Use();
    TSdl_Use(const TSdl_Use&) = delete;
    TSdl_Use& operator=(const TSdl_Use&) = delete;

    const TSdl_Functions* operator->() const { return &functions_; }
    const TSdl_Functions& operator*() const { return functions_; }


private:
    const TSdl_Functions& functions_;
};
