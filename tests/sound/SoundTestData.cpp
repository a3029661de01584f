#include "SoundTestData.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace SoundTestData {

namespace {

constexpr double kTwoPi = 6.283185307179586;

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

} // namespace

const std::vector<std::string> kEffectFiles = {"Data/Sounds/Interface/Void.Wav",
                                               "Data/Sounds/Interface/ButtonGetFocus.Wav",
                                               "Data/Sounds/Interface/ButtonClick.Wav",
                                               "Data/Sounds/Interface/OpenDialog.Wav",
                                               "Data/Sounds/Interface/CloseDialog.Wav",
                                               "Data/Sounds/Interface/Type.Ogg",
                                               "Data/Sounds/FireBall.Wav",
                                               "Data/Sounds/StopBall.Ogg",
                                               "Data/Sounds/BallDelete.Wav",
                                               "Data/Sounds/SeekScoreEnd.Wav",
                                               "Data/Sounds/ColorRemove.Wav",
                                               "Data/Sounds/LineFall.Ogg",
                                               "Data/Sounds/LoadColorEnd.Wav",
                                               "Data/Sounds/HitWall.Wav",
                                               "Data/Sounds/Swap.Ogg"};

std::string MakeWav(int milliseconds, double frequency, int rate, int amplitude) {
    const std::uint32_t frames =
        static_cast<std::uint32_t>(static_cast<long long>(rate) * milliseconds / 1000);
    const std::uint32_t dataBytes = frames * 2;
    std::string wav = "RIFF";
    PutLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2); // PCM
    PutLittleEndian(wav, 1, 2); // mono
    PutLittleEndian(wav, static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(wav, static_cast<std::uint32_t>(rate * 2), 4);
    PutLittleEndian(wav, 2, 2);
    PutLittleEndian(wav, 16, 2);
    wav += "data";
    PutLittleEndian(wav, dataBytes, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(kTwoPi * frequency * i / rate);
        PutLittleEndian(wav, static_cast<std::uint32_t>(static_cast<std::int16_t>(std::lround(value))), 2);
    }
    return wav;
}

std::string MakeOgg(int milliseconds, double frequency, int rate) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, rate, 0.3f) != 0) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 20261206); // fixed serial: the same call gives the same bytes

    std::string out;
    auto appendPage = [&out](const ogg_page& page) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        appendPage(page);
    }

    auto drain = [&]() {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    appendPage(page);
                }
            }
        }
    };
    const long frames = static_cast<long>(static_cast<long long>(rate) * milliseconds / 1000);
    const long chunk = 1024;
    for (long done = 0; done < frames; done += chunk) {
        const long count = std::min(chunk, frames - done);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i) {
            buffer[0][i] = static_cast<float>(0.25 * std::sin(kTwoPi * frequency * (done + i) / rate));
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0); // end of stream
    drain();
    while (ogg_stream_flush(&stream, &page) != 0) {
        appendPage(page);
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::int32_t MemoryFiles::Read(const std::string& name, ZoFileBlock& buffer) const {
    auto found = files_.find(name);
    if (found == files_.end()) {
        return -1;
    }
    const std::string& bytes = found->second;
    buffer = std::make_unique<char[]>(bytes.size() + 1);
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return static_cast<std::int32_t>(bytes.size());
}

ZoSoundFileReader MemoryFiles::Reader() const {
    return [this](const std::string& name, ZoFileBlock& buffer) { return Read(name, buffer); };
}

} // namespace SoundTestData
