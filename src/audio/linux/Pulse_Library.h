#pragma once
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/sample.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

// The PulseAudio client functions the sound output and the microphone's
// capture call, found in the library once it is loaded. PipeWire's desktops answer the same API.
struct TPulse_Functions {
    decltype(&pa_threaded_mainloop_new) Mainloop_New;
    decltype(&pa_threaded_mainloop_free) Mainloop_Free;
    decltype(&pa_threaded_mainloop_start) Mainloop_Start;
    decltype(&pa_threaded_mainloop_stop) Mainloop_Stop;
    decltype(&pa_threaded_mainloop_lock) Mainloop_Lock;
    decltype(&pa_threaded_mainloop_unlock) Mainloop_Unlock;
    decltype(&pa_threaded_mainloop_wait) Mainloop_Wait;
    decltype(&pa_threaded_mainloop_signal) Mainloop_Signal;
    decltype(&pa_threaded_mainloop_get_api) Mainloop_Get_Api;
    decltype(&pa_context_new) Context_New;
    decltype(&pa_context_unref) Context_Unref;
    decltype(&pa_context_connect) Context_Connect;
    decltype(&pa_context_disconnect) Context_Disconnect;
    decltype(&pa_context_get_state) Context_Get_State;
    decltype(&pa_context_set_state_callback) Context_Set_State_Callback;
    decltype(&pa_context_errno) Context_Errno;
    decltype(&pa_strerror) Strerror;
    decltype(&pa_stream_new) Stream_New;
    decltype(&pa_stream_unref) Stream_Unref;
    decltype(&pa_stream_connect_playback) Stream_Connect_Playback;
    decltype(&pa_stream_disconnect) Stream_Disconnect;
    decltype(&pa_stream_get_state) Stream_Get_State;
    decltype(&pa_stream_set_state_callback) Stream_Set_State_Callback;
    decltype(&pa_stream_set_write_callback) Stream_Set_Write_Callback;
    decltype(&pa_stream_begin_write) Stream_Begin_Write;
    decltype(&pa_stream_write) Stream_Write;
    decltype(&pa_stream_get_buffer_attr) Stream_Get_Buffer_Attr;
    decltype(&pa_stream_writable_size) Stream_Writable_Size;
    decltype(&pa_stream_drain) Stream_Drain;
    decltype(&pa_stream_connect_record) Stream_Connect_Record;
    decltype(&pa_stream_set_read_callback) Stream_Set_Read_Callback;
    decltype(&pa_stream_set_moved_callback) Stream_Set_Moved_Callback;
    decltype(&pa_stream_peek) Stream_Peek;
    decltype(&pa_stream_drop) Stream_Drop;
    decltype(&pa_operation_get_state) Operation_Get_State;
    decltype(&pa_operation_unref) Operation_Unref;
    decltype(&pa_usec_to_bytes) Usec_To_Bytes;
};

// The client library, loaded at the first call and kept: it cannot be
// unloaded anyway (it is linked to stay). Null when it is not installed or
// lacks a function; the caller then uses SDL's output instead.
const TPulse_Functions* Pulse_Library();
