// The Windows decoder: the system's own Audio Compression Manager, with the
// few steps it lacks (or does badly) done here.
#include "audio/Wav_Convert.h"

#include <windows.h>
// After windows.h, which they need; WIN32_LEAN_AND_MEAN leaves them out of it.
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Bytes of the data chunk read at a time: a long recording streams through.
constexpr std::uint32_t Read_Piece_Bytes = 64 * 1024;
// Enough for any WAVEFORMATEX a codec defines (MS ADPCM's is 50 bytes).
constexpr std::uint32_t Format_Chunk_Limit = 4096;

const char Not_Usable_Text[] = "the sound's format is not usable";

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const wchar_t* text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

// The system's message for an error code, without its line break.
std::string System_Text(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? Utf8(buffer) : "error " + std::to_string(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string Acm_Text(MMRESULT result)
{
    switch (result) {
    case ACMERR_NOTPOSSIBLE: return "the conversion is not possible";
    case ACMERR_BUSY: return "the converter is busy";
    case ACMERR_UNPREPARED: return "the converter was not prepared";
    case ACMERR_CANCELED: return "the conversion was cancelled";
    default: break;
    }
    std::array<wchar_t, MAXERRORLENGTH> text{};
    if (waveOutGetErrorTextW(result, text.data(), static_cast<UINT>(text.size())) == MMSYSERR_NOERROR)
        return Utf8(text.data());
    return "error " + std::to_string(result);
}

std::uint32_t Le(const std::uint8_t* bytes, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

class TFile {
public:
    explicit TFile(const std::string& path)
    {
        const std::wstring name = Wide(path);
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            throw TDecode_Failure{"Couldn't open " + path + ": it is a directory, not a sound file", true};
        handle_ = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw TDecode_Failure{"Couldn't open " + path + ": " + System_Text(GetLastError()), true};
        LARGE_INTEGER size{};
        // A pipe or a device could keep the reader waiting: only disk files are read.
        if (GetFileType(handle_) != FILE_TYPE_DISK || !GetFileSizeEx(handle_, &size)) {
            CloseHandle(handle_);
            throw TDecode_Failure{"Couldn't read " + path + ": it is not a file on disk", true};
        }
        size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~TFile() { CloseHandle(handle_); }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    std::uint64_t Size() const { return size_; }

    // Reads exactly `length` bytes at `offset`; a short read is a failure.
    void Read_At(std::uint64_t offset, void* into, std::uint32_t length)
    {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(offset);
        DWORD got = 0;
        if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) ||
            !ReadFile(handle_, into, length, &got, nullptr))
            throw TDecode_Failure{System_Text(GetLastError()), true};
        if (got != length)
            throw TDecode_Failure{"the file ends early"};
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::uint64_t size_ = 0;
};

// Where the samples are and what they are. No size in the file is trusted
// beyond the file's own end.
struct TWav_Layout {
    // WAVEFORMATEX and any extra bytes its cbSize announces.
    std::vector<std::uint8_t> Format;
    std::uint64_t Data_Offset = 0;
    std::uint64_t Data_Bytes = 0;
};

TWav_Layout Read_Layout(TFile& file)
{
    std::uint8_t head[12];
    if (file.Size() < sizeof head)
        throw TDecode_Failure{"the file is too short to be a WAV file"};
    file.Read_At(0, head, sizeof head);
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        throw TDecode_Failure{"the file is not a RIFF WAVE file"};
    TWav_Layout layout;
    bool data_seen = false;
    for (std::uint64_t at = 12; file.Size() - at >= 8;) {
        std::uint8_t chunk[8];
        file.Read_At(at, chunk, sizeof chunk);
        const std::uint64_t size = Le(chunk + 4, 4);
        const std::uint64_t body = at + 8;
        const std::uint64_t available = std::min(size, file.Size() - body);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && layout.Format.empty()) {
            if (available < 16)
                throw TDecode_Failure{Not_Usable_Text};
            const auto kept = static_cast<std::uint32_t>(std::min<std::uint64_t>(available, Format_Chunk_Limit));
            std::vector<std::uint8_t> format(kept);
            file.Read_At(body, format.data(), kept);
            // The extra bytes are those the chunk really holds, whatever cbSize says.
            const std::uint32_t extra = kept >= 18 ? std::min<std::uint32_t>(Le(&format[16], 2), kept - 18) : 0;
            format.resize(sizeof(WAVEFORMATEX) + extra);
            format[16] = static_cast<std::uint8_t>(extra & 0xFF);
            format[17] = static_cast<std::uint8_t>(extra >> 8);
            layout.Format = std::move(format);
        } else if (std::memcmp(chunk, "data", 4) == 0 && !data_seen) {
            layout.Data_Offset = body;
            layout.Data_Bytes = available;
            data_seen = true;
        }
        if (data_seen && !layout.Format.empty())
            break;
        // Chunks are padded to an even length.
        at = body + size + (size & 1u);
        if (at >= file.Size())
            break;
    }
    if (layout.Format.empty())
        throw TDecode_Failure{"the file has no format chunk"};
    if (!data_seen || layout.Data_Bytes == 0)
        throw TDecode_Failure{"The file holds no sound"};
    return layout;
}

// The WAVEFORMATEX at the head of a byte copy, read without alignment needs.
WAVEFORMATEX Header_Of(const std::vector<std::uint8_t>& format)
{
    WAVEFORMATEX header{};
    std::memcpy(&header, format.data(), sizeof header);
    return header;
}

std::vector<std::uint8_t> Bytes_Of(const WAVEFORMATEX& header)
{
    std::vector<std::uint8_t> bytes(sizeof header);
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

WAVEFORMATEX Pcm_Format(int frequency, int channels, int bits)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(frequency);
    format.wBitsPerSample = static_cast<WORD>(bits);
    format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

// WAVE_FORMAT_EXTENSIBLE names PCM and float by a GUID whose first word is
// the plain tag; the plain tag is what the converters know.
WORD Effective_Tag(const std::vector<std::uint8_t>& format)
{
    static const std::uint8_t Guid_Tail[] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                             0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    const WAVEFORMATEX header = Header_Of(format);
    if (header.wFormatTag == WAVE_FORMAT_EXTENSIBLE && header.cbSize >= 22 &&
        std::memcmp(&format[24 + 2], Guid_Tail, sizeof Guid_Tail) == 0)
        return static_cast<WORD>(Le(&format[24], 2));
    return header.wFormatTag;
}

std::string Format_Name(const std::vector<std::uint8_t>& format)
{
    ACMFORMATTAGDETAILSW details{};
    details.cbStruct = sizeof details;
    details.dwFormatTag = Header_Of(format).wFormatTag;
    if (acmFormatTagDetailsW(nullptr, &details, ACM_FORMATTAGDETAILSF_FORMATTAG) == MMSYSERR_NOERROR &&
        details.szFormatTag[0] != L'\0')
        return Utf8(details.szFormatTag);
    char tag[16];
    std::snprintf(tag, sizeof tag, "format 0x%04X", static_cast<unsigned>(details.dwFormatTag));
    return tag;
}

// One step of the conversion: bytes of one format in, bytes of another out.
// What a step cannot use yet (part of a codec's block) waits for the next piece.
class TStep {
public:
    virtual ~TStep() = default;
    // Appends to `out` what `pending` converts to, and removes what it used.
    virtual void Convert(std::vector<std::uint8_t>& pending, std::vector<std::uint8_t>& out, bool last) = 0;
};

class TAcm_Step : public TStep {
public:
    // Throws TDecode_Failure when no installed driver makes this conversion.
    TAcm_Step(const std::vector<std::uint8_t>& from, const WAVEFORMATEX& to, const std::string& what)
        : from_(from), to_(to)
    {
        const MMRESULT result =
            acmStreamOpen(&stream_, nullptr, reinterpret_cast<WAVEFORMATEX*>(from_.data()), &to_, nullptr, 0, 0,
                          ACM_STREAMOPENF_NONREALTIME);
        if (result != MMSYSERR_NOERROR)
            throw TDecode_Failure{what + ": " + Acm_Text(result)};
    }
    ~TAcm_Step() override { acmStreamClose(stream_, 0); }
    TAcm_Step(const TAcm_Step&) = delete;
    TAcm_Step& operator=(const TAcm_Step&) = delete;

    // Bytes out for `bytes` in, as the driver reckons it; 0 when it cannot say.
    std::uint64_t Output_Bytes(std::uint64_t bytes) const
    {
        DWORD out = 0;
        const auto in = static_cast<DWORD>(std::min<std::uint64_t>(bytes, std::numeric_limits<DWORD>::max() / 2));
        if (acmStreamSize(stream_, in, &out, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR)
            return 0;
        // Scaled up for a source longer than one call may take.
        return static_cast<std::uint64_t>(static_cast<double>(out) * static_cast<double>(bytes) / in);
    }

    void Convert(std::vector<std::uint8_t>& pending, std::vector<std::uint8_t>& out, bool last) override
    {
        std::size_t used_total = 0;
        while (used_total < pending.size()) {
            const auto length = static_cast<DWORD>(pending.size() - used_total);
            DWORD capacity = 0;
            if (acmStreamSize(stream_, length, &capacity, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR || capacity == 0)
                break;
            // Some drivers round down; a block more keeps a whole source block's output.
            capacity += to_.nBlockAlign * 64u;
            const std::size_t before = out.size();
            out.resize(before + capacity);
            ACMSTREAMHEADER header{};
            header.cbStruct = sizeof header;
            header.pbSrc = pending.data() + used_total;
            header.cbSrcLength = length;
            header.pbDst = out.data() + before;
            header.cbDstLength = capacity;
            MMRESULT result = acmStreamPrepareHeader(stream_, &header, 0);
            if (result == MMSYSERR_NOERROR) {
                DWORD flags = last ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN;
                if (!started_)
                    flags |= ACM_STREAMCONVERTF_START;
                result = acmStreamConvert(stream_, &header, flags);
                started_ = true;
                header.cbSrcLength = length;
                header.cbDstLength = capacity;
                acmStreamUnprepareHeader(stream_, &header, 0);
            }
            if (result != MMSYSERR_NOERROR)
                throw TDecode_Failure{"the converter failed: " + Acm_Text(result)};
            out.resize(before + std::min(header.cbDstLengthUsed, capacity));
            const DWORD used = std::min(header.cbSrcLengthUsed, length);
            used_total += used;
            if (used == 0 || (header.cbDstLengthUsed == 0 && !last))
                break;
        }
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(used_total));
        // Less than a block at the end converts to nothing.
        if (last)
            pending.clear();
    }

private:
    std::vector<std::uint8_t> from_;
    WAVEFORMATEX to_;
    HACMSTREAM stream_ = nullptr;
    bool started_ = false;
};

// Integer and float samples to signed 16-bit, as the Linux decoder does it:
// float is scaled by 32767 and cut toward zero, integers keep their top bits.
class TTo_16_Bit_Step : public TStep {
public:
    TTo_16_Bit_Step(int bits, bool is_float) : bits_(bits), is_float_(is_float) {}

    void Convert(std::vector<std::uint8_t>& pending, std::vector<std::uint8_t>& out, bool) override
    {
        const std::size_t size = static_cast<std::size_t>(bits_ / 8);
        const std::size_t count = pending.size() / size;
        const std::size_t before = out.size();
        out.resize(before + count * 2);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* in = pending.data() + i * size;
            const std::int16_t sample = is_float_ ? From_Float(in) : From_Integer(in);
            std::memcpy(out.data() + before + i * 2, &sample, 2);
        }
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count * size));
    }

private:
    std::int16_t From_Float(const std::uint8_t* in) const
    {
        double value = 0;
        if (bits_ == 32) {
            float single = 0;
            std::memcpy(&single, in, 4);
            value = single;
        } else {
            std::memcpy(&value, in, 8);
        }
        if (value >= 1.0)
            return 32767;
        if (value <= -1.0)
            return -32768;
        if (!(value == value))
            return 0;
        return static_cast<std::int16_t>(static_cast<float>(value) * 32767.0f);
    }

    std::int16_t From_Integer(const std::uint8_t* in) const
    {
        switch (bits_) {
        case 8: return static_cast<std::int16_t>((in[0] - 128) * 256);
        case 24: return static_cast<std::int16_t>(Le(in + 1, 2));
        default: return static_cast<std::int16_t>(Le(in + bits_ / 8 - 2, 2));
        }
    }

    int bits_;
    bool is_float_;
};

// Signed 16-bit from one channel count to another: all channels averaged
// for mono (the system's PCM converter on Wine adds them, so a stereo word
// came out twice as loud, clipped), a mono sound copied to every channel.
class TChannel_Step : public TStep {
public:
    TChannel_Step(int from, int to) : from_(static_cast<std::size_t>(from)), to_(static_cast<std::size_t>(to)) {}

    void Convert(std::vector<std::uint8_t>& pending, std::vector<std::uint8_t>& out, bool) override
    {
        const std::size_t frames = pending.size() / (2 * from_);
        const std::size_t before = out.size();
        out.resize(before + frames * to_ * 2);
        std::vector<std::int16_t> in(from_);
        for (std::size_t frame = 0; frame < frames; ++frame) {
            std::memcpy(in.data(), pending.data() + frame * from_ * 2, from_ * 2);
            for (std::size_t channel = 0; channel < to_; ++channel) {
                std::int32_t value = 0;
                if (to_ == 1) {
                    for (const std::int16_t sample : in)
                        value += sample;
                    value /= static_cast<std::int32_t>(from_);
                } else {
                    value = in[channel % from_];
                }
                const auto sample = static_cast<std::int16_t>(value);
                std::memcpy(out.data() + before + (frame * to_ + channel) * 2, &sample, 2);
            }
        }
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(frames * from_ * 2));
    }

private:
    std::size_t from_;
    std::size_t to_;
};

struct TPipeline {
    std::vector<std::unique_ptr<TStep>> Steps;
    // The file's own samples, once its codec has decoded them.
    TWav_Source Source;
    // Frames of the wanted format the whole data chunk makes.
    std::uint64_t Frames = 0;
};

void Check_Usable(const WAVEFORMATEX& format)
{
    if (format.nChannels == 0 || format.nSamplesPerSec == 0 ||
        format.nSamplesPerSec > static_cast<DWORD>(Max_Source_Frequency) || format.nBlockAlign == 0)
        throw TDecode_Failure{Not_Usable_Text};
}

// Samples this file's steps take, packed in whole bytes.
void Check_Samples(const WAVEFORMATEX& format, bool is_float)
{
    const int bits = format.wBitsPerSample;
    const bool known = is_float ? bits == 32 || bits == 64 : bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!known || format.nBlockAlign != format.nChannels * bits / 8)
        throw TDecode_Failure{Not_Usable_Text};
}

// The PCM format a codec's driver decodes to, at the file's rate and channels.
WAVEFORMATEX Decoded_Format(const TWav_Layout& layout)
{
    const WAVEFORMATEX source = Header_Of(layout.Format);
    auto* format = const_cast<WAVEFORMATEX*>(reinterpret_cast<const WAVEFORMATEX*>(layout.Format.data()));
    WAVEFORMATEX decoded = Pcm_Format(static_cast<int>(source.nSamplesPerSec), source.nChannels, 16);
    MMRESULT result = acmFormatSuggest(nullptr, format, &decoded, sizeof decoded,
                                       ACM_FORMATSUGGESTF_WFORMATTAG | ACM_FORMATSUGGESTF_WBITSPERSAMPLE);
    if (result != MMSYSERR_NOERROR) {
        decoded = Pcm_Format(static_cast<int>(source.nSamplesPerSec), source.nChannels, 16);
        result = acmFormatSuggest(nullptr, format, &decoded, sizeof decoded, ACM_FORMATSUGGESTF_WFORMATTAG);
    }
    if (result != MMSYSERR_NOERROR)
        throw TDecode_Failure{"no installed codec decodes " + Format_Name(layout.Format) + ": " + Acm_Text(result)};
    Check_Usable(decoded);
    // Rate and channels are changed by later steps, which expect the file's.
    if (decoded.nChannels != source.nChannels || decoded.nSamplesPerSec != source.nSamplesPerSec ||
        (decoded.wBitsPerSample != 8 && decoded.wBitsPerSample != 16))
        throw TDecode_Failure{Not_Usable_Text};
    return decoded;
}

// A `frequency` or `channels` of 0 is the file's own.
TPipeline Build_Pipeline(const TWav_Layout& layout, int& frequency, int& channels)
{
    const WAVEFORMATEX source = Header_Of(layout.Format);
    Check_Usable(source);
    TPipeline pipeline;
    const WORD tag = Effective_Tag(layout.Format);
    const int source_channels = source.nChannels;
    const auto source_rate = static_cast<int>(source.nSamplesPerSec);
    std::uint64_t frames = layout.Data_Bytes / source.nBlockAlign;
    int bits = source.wBitsPerSample;
    bool is_float = tag == WAVE_FORMAT_IEEE_FLOAT;
    if (tag == WAVE_FORMAT_PCM || tag == WAVE_FORMAT_IEEE_FLOAT) {
        Check_Samples(source, is_float);
    } else {
        // A codec's format: its driver decodes it to PCM first.
        const std::string name = Format_Name(layout.Format);
        const WAVEFORMATEX decoded = Decoded_Format(layout);
        auto step = std::make_unique<TAcm_Step>(layout.Format, decoded, "no installed codec decodes " + name);
        frames = step->Output_Bytes(layout.Data_Bytes - layout.Data_Bytes % source.nBlockAlign) / decoded.nBlockAlign;
        pipeline.Steps.push_back(std::move(step));
        bits = decoded.wBitsPerSample;
        is_float = false;
    }
    pipeline.Source = {bits, is_float, source_rate, source_channels};
    if (frequency == 0)
        frequency = source_rate;
    if (channels == 0)
        channels = source_channels;
    if (bits != 16 || is_float) {
        // The system's converter first, where it has one for this depth.
        std::unique_ptr<TStep> step;
        if (!is_float && bits != 32) {
            try {
                step = std::make_unique<TAcm_Step>(Bytes_Of(Pcm_Format(source_rate, source_channels, bits)),
                                                   Pcm_Format(source_rate, source_channels, 16), "");
            } catch (const TDecode_Failure&) {
            }
        }
        if (!step)
            step = std::make_unique<TTo_16_Bit_Step>(bits, is_float);
        pipeline.Steps.push_back(std::move(step));
    }
    if (source_channels != channels)
        pipeline.Steps.push_back(std::make_unique<TChannel_Step>(source_channels, channels));
    if (source_rate != frequency)
        pipeline.Steps.push_back(std::make_unique<TAcm_Step>(
            Bytes_Of(Pcm_Format(source_rate, channels, 16)), Pcm_Format(frequency, channels, 16),
            "the sample rate of " + std::to_string(source_rate) + " Hz cannot be converted to " +
                std::to_string(frequency) + " Hz"));
    pipeline.Frames = frames * static_cast<std::uint64_t>(frequency) / static_cast<std::uint64_t>(source_rate);
    return pipeline;
}

}  // namespace

// The system's decoder is part of it: nothing to keep loaded.
TDecoder_Hold::TDecoder_Hold() = default;

std::size_t Convert_Wav(const std::string& path, int frequency, int channels, const TPiece_Taker& take,
                        TWav_Source* source)
{
    if (frequency < 0 || channels < 0)
        throw TDecode_Failure{Not_Usable_Text};
    TFile file(path);
    const TWav_Layout layout = Read_Layout(file);
    TPipeline pipeline = Build_Pipeline(layout, frequency, channels);
    if (source != nullptr)
        *source = pipeline.Source;
    const auto total = static_cast<std::size_t>(pipeline.Frames * static_cast<std::uint64_t>(channels));
    if (total == 0)
        throw TDecode_Failure{"The file holds no sound"};

    // One buffer between each two steps; the last holds finished samples.
    std::vector<std::vector<std::uint8_t>> between(pipeline.Steps.size() + 1);
    std::vector<std::int16_t> piece;
    std::size_t given = 0;
    const auto hand_over = [&] {
        std::vector<std::uint8_t>& done = between.back();
        const std::size_t count = std::min(done.size() / 2, total - given);
        if (count > 0) {
            piece.resize(count);
            std::memcpy(piece.data(), done.data(), count * 2);
            take(piece, total);
            given += count;
        }
        done.erase(done.begin(), done.begin() + static_cast<std::ptrdiff_t>(done.size() - done.size() % 2));
    };
    // Whole source blocks only, so no codec block is split between reads.
    const std::uint32_t block = Header_Of(layout.Format).nBlockAlign;
    const std::uint32_t piece_bytes = std::max<std::uint32_t>(Read_Piece_Bytes / block, 1) * block;
    for (std::uint64_t offset = 0; offset < layout.Data_Bytes && given < total;) {
        const auto length = static_cast<std::uint32_t>(std::min<std::uint64_t>(piece_bytes, layout.Data_Bytes - offset));
        std::vector<std::uint8_t>& first = between.front();
        const std::size_t before = first.size();
        first.resize(before + length);
        file.Read_At(layout.Data_Offset + offset, first.data() + before, length);
        offset += length;
        const bool last = offset >= layout.Data_Bytes;
        for (std::size_t step = 0; step < pipeline.Steps.size(); ++step)
            pipeline.Steps[step]->Convert(between[step], between[step + 1], last);
        hand_over();
    }
    return given;
}
