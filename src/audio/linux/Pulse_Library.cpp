#include "audio/linux/Pulse_Library.h"

#include <dlfcn.h>

#include <string>

namespace {

template <typename TFunction>
bool Find(void* handle, TFunction& function, const char* name)
{
    function = reinterpret_cast<TFunction>(dlsym(handle, name));
    return function != nullptr;
}

bool Find_Functions(void* handle, TPulse_Functions& f)
{
    return Find(handle, f.Mainloop_New, "pa_threaded_mainloop_new") &&
           Find(handle, f.Mainloop_Free, "pa_threaded_mainloop_free") &&
           Find(handle, f.Mainloop_Start, "pa_threaded_mainloop_start") &&
           Find(handle, f.Mainloop_Stop, "pa_threaded_mainloop_stop") &&
           Find(handle, f.Mainloop_Lock, "pa_threaded_mainloop_lock") &&
           Find(handle, f.Mainloop_Unlock, "pa_threaded_mainloop_unlock") &&
           Find(handle, f.Mainloop_Wait, "pa_threaded_mainloop_wait") &&
           Find(handle, f.Mainloop_Signal, "pa_threaded_mainloop_signal") &&
           Find(handle, f.Mainloop_Get_Api, "pa_threaded_mainloop_get_api") &&
           Find(handle, f.Context_New, "pa_context_new") && Find(handle, f.Context_Unref, "pa_context_unref") &&
           Find(handle, f.Context_Connect, "pa_context_connect") &&
           Find(handle, f.Context_Disconnect, "pa_context_disconnect") &&
           Find(handle, f.Context_Get_State, "pa_context_get_state") &&
           Find(handle, f.Context_Set_State_Callback, "pa_context_set_state_callback") &&
           Find(handle, f.Context_Errno, "pa_context_errno") && Find(handle, f.Strerror, "pa_strerror") &&
           Find(handle, f.Stream_New, "pa_stream_new") && Find(handle, f.Stream_Unref, "pa_stream_unref") &&
           Find(handle, f.Stream_Connect_Playback, "pa_stream_connect_playback") &&
           Find(handle, f.Stream_Disconnect, "pa_stream_disconnect") &&
           Find(handle, f.Stream_Get_State, "pa_stream_get_state") &&
           Find(handle, f.Stream_Set_State_Callback, "pa_stream_set_state_callback") &&
           Find(handle, f.Stream_Set_Write_Callback, "pa_stream_set_write_callback") &&
           Find(handle, f.Stream_Begin_Write, "pa_stream_begin_write") &&
           Find(handle, f.Stream_Write, "pa_stream_write") &&
           Find(handle, f.Stream_Get_Buffer_Attr, "pa_stream_get_buffer_attr") &&
           Find(handle, f.Stream_Writable_Size, "pa_stream_writable_size") &&
           Find(handle, f.Stream_Drain, "pa_stream_drain") &&
           Find(handle, f.Stream_Connect_Record, "pa_stream_connect_record") &&
           Find(handle, f.Stream_Set_Read_Callback, "pa_stream_set_read_callback") &&
           Find(handle, f.Stream_Set_Moved_Callback, "pa_stream_set_moved_callback") &&
           Find(handle, f.Stream_Peek, "pa_stream_peek") && Find(handle, f.Stream_Drop, "pa_stream_drop") &&
           Find(handle, f.Operation_Get_State, "pa_operation_get_state") &&
           Find(handle, f.Operation_Unref, "pa_operation_unref") &&
           Find(handle, f.Usec_To_Bytes, "pa_usec_to_bytes");
}

const TPulse_Functions* Load()
{
    // Lazily: the client is linked to bind its own calls at once anyway, and
    // binding every call of the libraries it pulls in (X11, sound file
    // codecs), which the sound output never makes, was a quarter of it.
    void* handle = dlopen("libpulse.so.0", RTLD_LAZY | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    static TPulse_Functions functions{};
    if (!Find_Functions(handle, functions)) {
        dlclose(handle);
        return nullptr;
    }
    return &functions;
}

}  // namespace

const TPulse_Functions* Pulse_Library()
{
    // Thread-safe once: the first sound may come from any thread.
    static const TPulse_Functions* const library = Load();
    return library;
}
