#include "AudioCodec.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void PutLittle(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu));
    }
}

void PutTag(std::vector<std::uint8_t>& bytes, const char* tag) {
    bytes.insert(bytes.end(), tag, tag + 4);
}

std::int16_t ToPcm(float sample) {
    double scaled = std::round(static_cast<double>(sample) * 32767.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

void AppendPage(const ogg_page& page, std::vector<std::uint8_t>& bytes) {
    bytes.insert(bytes.end(), page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
}

struct MemoryReader {
    const std::vector<std::uint8_t>* bytes = nullptr;
    size_t position = 0;
};

size_t ReadMemory(void* target, size_t size, size_t count, void* source) {
    MemoryReader* reader = static_cast<MemoryReader*>(source);
    size_t wanted = size * count;
    size_t left = reader->bytes->size() - reader->position;
    size_t taken = std::min(wanted, left);
    if (taken > 0) {
        std::memcpy(target, reader->bytes->data() + reader->position, taken);
    }
    reader->position += taken;
    return size == 0 ? 0 : taken / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    MemoryReader* reader = static_cast<MemoryReader*>(source);
    ogg_int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<ogg_int64_t>(reader->position)
                                            : static_cast<ogg_int64_t>(reader->bytes->size());
    ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(reader->bytes->size())) {
        return -1;
    }
    reader->position = static_cast<size_t>(target);
    return 0;
}

long TellMemory(void* source) {
    return static_cast<long>(static_cast<MemoryReader*>(source)->position);
}

} // namespace

std::vector<std::uint8_t> EncodeWav(const AudioBuffer& buffer) {
    const std::uint32_t dataSize = static_cast<std::uint32_t>(buffer.samples.size() * 2);
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(buffer.channels * 2);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(44 + dataSize);
    PutTag(bytes, "RIFF");
    PutLittle(bytes, 36 + dataSize, 4);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    PutLittle(bytes, 16, 4);
    PutLittle(bytes, 1, 2); // PCM
    PutLittle(bytes, static_cast<std::uint32_t>(buffer.channels), 2);
    PutLittle(bytes, static_cast<std::uint32_t>(buffer.sampleRate), 4);
    PutLittle(bytes, static_cast<std::uint32_t>(buffer.sampleRate) * blockAlign, 4);
    PutLittle(bytes, blockAlign, 2);
    PutLittle(bytes, 16, 2);
    PutTag(bytes, "data");
    PutLittle(bytes, dataSize, 4);
    for (float sample : buffer.samples) {
        PutLittle(bytes, static_cast<std::uint16_t>(ToPcm(sample)), 2);
    }
    return bytes;
}

bool EncodeOgg(const AudioBuffer& buffer, float quality, int serial, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (buffer.channels < 1 || buffer.channels > 2 || buffer.Frames() == 0) {
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, buffer.channels, buffer.sampleRate, quality) != 0) {
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "Korrik Shooter soundgen");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    ogg_packet identification;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    // The audio starts on a fresh page, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0) {
        AppendPage(page, bytes);
    }

    const size_t frames = buffer.Frames();
    const size_t chunk = 4096;
    size_t done = 0;
    bool endSent = false;
    while (!endSent) {
        if (done < frames) {
            size_t count = std::min(chunk, frames - done);
            float** target = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i) {
                for (int channel = 0; channel < buffer.channels; ++channel) {
                    target[channel][i] = buffer.At(done + i, channel);
                }
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        } else {
            vorbis_analysis_wrote(&dsp, 0); // end of stream
            endSent = true;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    AppendPage(page, bytes);
                }
            }
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0) {
        AppendPage(page, bytes);
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return !bytes.empty();
}

bool DecodeOgg(const std::vector<std::uint8_t>& bytes, AudioBuffer& buffer) {
    MemoryReader reader;
    reader.bytes = &bytes;
    ov_callbacks callbacks;
    callbacks.read_func = ReadMemory;
    callbacks.seek_func = SeekMemory;
    callbacks.close_func = nullptr;
    callbacks.tell_func = TellMemory;
    OggVorbis_File file;
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) {
        return false;
    }
    vorbis_info* info = ov_info(&file, -1);
    buffer.sampleRate = static_cast<int>(info->rate);
    buffer.channels = info->channels;
    buffer.samples.clear();
    bool ok = true;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        long count = ov_read_float(&file, &pcm, 4096, &section);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            ok = false;
            break;
        }
        for (long i = 0; i < count; ++i) {
            for (int channel = 0; channel < buffer.channels; ++channel) {
                buffer.samples.push_back(pcm[channel][i]);
            }
        }
    }
    ov_clear(&file);
    return ok;
}

int SerialForName(const std::string& name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return static_cast<int>(hash & 0x7FFFFFFFu);
}
