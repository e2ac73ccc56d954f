#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/Sound_Capture.h"

struct TPulse_Functions;
struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

// A record stream on the sound server's own API: the default source, mono
// signed 16-bit at the asked rate (the server converts), handed over every
// 10 ms so a meter moves and a take ends soon after its silence.
class TPulse_Capture final : public TSound_Capture {
public:
    // Throws EHoravoxError naming what is missing: the client library, the
    // server, or a source that can be opened.
    static std::unique_ptr<TPulse_Capture> Open(int frequency);
    ~TPulse_Capture() override;
    TPulse_Capture(const TPulse_Capture&) = delete;
    TPulse_Capture& operator=(const TPulse_Capture&) = delete;

    bool Read(std::vector<std::int16_t>& samples) override;
    std::string Failure() const override;

private:
    explicit TPulse_Capture(const TPulse_Functions& pulse);
    // Empty when connected; otherwise the message for the user.
    std::string Connect(int frequency);
    template <typename TDone>
    bool Wait_Until(TDone done);
    void Close();
    void Fail(const std::string& why);
    static void On_Context_State(pa_context* context, void* capture);
    static void On_Stream_State(pa_stream* stream, void* capture);
    static void On_Read(pa_stream* stream, std::size_t length, void* capture);
    static void On_Moved(pa_stream* stream, void* capture);

    const TPulse_Functions& pulse_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    // Guarded by the main loop's lock.
    std::vector<std::int16_t> arrived_;
    bool recording_ = false;
    std::string failure_;
};
