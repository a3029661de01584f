#include "ImageDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace {

// Far above any picture of the game; a damaged header must not ask for gigabytes.
constexpr std::int32_t kMaxSide = 4096;
constexpr std::size_t kDdsHeaderEnd = 128;
constexpr std::uint32_t kFourCc = 0x4;
constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kRgb = 0x40;

std::uint32_t ReadLe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t ReadLe16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

constexpr std::uint32_t FourCc(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24);
}

// Expands a channel found under mask to 8 bits; a missing mask gives the fallback.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask, std::uint8_t fallback)
{
    if (mask == 0) {
        return fallback;
    }
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) {
        ++shift;
    }
    const std::uint32_t bits = mask >> shift;
    const std::uint32_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>(value * 255u / bits);
}

struct Rgba {
    std::uint8_t r, g, b, a;
};

Rgba From565(std::uint16_t c)
{
    const auto r = static_cast<std::uint8_t>((c >> 11) & 0x1F);
    const auto g = static_cast<std::uint8_t>((c >> 5) & 0x3F);
    const auto b = static_cast<std::uint8_t>(c & 0x1F);
    return {static_cast<std::uint8_t>((r << 3) | (r >> 2)), static_cast<std::uint8_t>((g << 2) | (g >> 4)),
            static_cast<std::uint8_t>((b << 3) | (b >> 2)), 255};
}

std::uint8_t Mix(int a, int b, int weightA, int weightB, int total)
{
    return static_cast<std::uint8_t>((a * weightA + b * weightB) / total);
}

// The four colours of a DXT colour block; threeColour allows the transparent fourth entry of DXT1.
void ColourBlock(const std::uint8_t* block, bool threeColour, Rgba out[16])
{
    const std::uint16_t c0 = ReadLe16(block);
    const std::uint16_t c1 = ReadLe16(block + 2);
    Rgba palette[4];
    palette[0] = From565(c0);
    palette[1] = From565(c1);
    const Rgba& p0 = palette[0];
    const Rgba& p1 = palette[1];
    if (c0 > c1 || !threeColour) {
        palette[2] = {Mix(p0.r, p1.r, 2, 1, 3), Mix(p0.g, p1.g, 2, 1, 3), Mix(p0.b, p1.b, 2, 1, 3), 255};
        palette[3] = {Mix(p0.r, p1.r, 1, 2, 3), Mix(p0.g, p1.g, 1, 2, 3), Mix(p0.b, p1.b, 1, 2, 3), 255};
    } else {
        palette[2] = {Mix(p0.r, p1.r, 1, 1, 2), Mix(p0.g, p1.g, 1, 1, 2), Mix(p0.b, p1.b, 1, 1, 2), 255};
        palette[3] = {0, 0, 0, 0};
    }
    const std::uint32_t indices = ReadLe32(block + 4);
    for (int i = 0; i < 16; ++i) {
        out[i] = palette[(indices >> (2 * i)) & 3u];
    }
}

void ExplicitAlpha(const std::uint8_t* block, Rgba out[16])
{
    for (int i = 0; i < 16; ++i) {
        const std::uint8_t nibble = (block[i / 2] >> ((i % 2) * 4)) & 0x0F;
        out[i].a = static_cast<std::uint8_t>(nibble * 17);
    }
}

void InterpolatedAlpha(const std::uint8_t* block, Rgba out[16])
{
    const int a0 = block[0];
    const int a1 = block[1];
    int palette[8];
    palette[0] = a0;
    palette[1] = a1;
    if (a0 > a1) {
        for (int i = 1; i <= 6; ++i) {
            palette[1 + i] = ((7 - i) * a0 + i * a1) / 7;
        }
    } else {
        for (int i = 1; i <= 4; ++i) {
            palette[1 + i] = ((5 - i) * a0 + i * a1) / 5;
        }
        palette[6] = 0;
        palette[7] = 255;
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) {
        bits |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
    }
    for (int i = 0; i < 16; ++i) {
        out[i].a = static_cast<std::uint8_t>(palette[(bits >> (3 * i)) & 7u]);
    }
}

bool DecodeBlocks(const std::uint8_t* data, std::size_t available, std::uint32_t fourCc, DecodedImage& image)
{
    const std::size_t blockSize = fourCc == FourCc('D', 'X', 'T', '1') ? 8 : 16;
    const std::size_t blocksWide = (static_cast<std::size_t>(image.width) + 3) / 4;
    const std::size_t blocksHigh = (static_cast<std::size_t>(image.height) + 3) / 4;
    if (blocksWide * blocksHigh * blockSize > available) {
        return false;
    }
    image.rgba.assign(static_cast<std::size_t>(image.width) * image.height * 4u, 0);
    for (std::size_t by = 0; by < blocksHigh; ++by) {
        for (std::size_t bx = 0; bx < blocksWide; ++bx) {
            const std::uint8_t* block = data + (by * blocksWide + bx) * blockSize;
            Rgba texels[16];
            if (blockSize == 8) {
                ColourBlock(block, true, texels);
            } else {
                ColourBlock(block + 8, false, texels);
                if (fourCc == FourCc('D', 'X', 'T', '5')) {
                    InterpolatedAlpha(block, texels);
                } else {
                    ExplicitAlpha(block, texels);
                }
            }
            for (std::size_t i = 0; i < 16; ++i) {
                const std::size_t x = bx * 4 + i % 4;
                const std::size_t y = by * 4 + i / 4;
                if (x >= static_cast<std::size_t>(image.width) || y >= static_cast<std::size_t>(image.height)) {
                    continue;
                }
                std::uint8_t* p = &image.rgba[(y * image.width + x) * 4];
                p[0] = texels[i].r;
                p[1] = texels[i].g;
                p[2] = texels[i].b;
                p[3] = texels[i].a;
            }
        }
    }
    return true;
}

bool DecodeUncompressed(const std::uint8_t* header, const std::uint8_t* data, std::size_t available,
                        DecodedImage& image)
{
    const std::uint32_t flags = ReadLe32(header + 80);
    const std::uint32_t bitCount = ReadLe32(header + 88);
    if ((flags & kRgb) == 0 || (bitCount != 32 && bitCount != 24)) {
        return false;
    }
    const std::uint32_t red = ReadLe32(header + 92);
    const std::uint32_t green = ReadLe32(header + 96);
    const std::uint32_t blue = ReadLe32(header + 100);
    const std::uint32_t alphaMask = (flags & kAlphaPixels) != 0 ? ReadLe32(header + 104) : 0;
    const std::size_t bytesPerPixel = bitCount / 8;
    const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
    if (pixels * bytesPerPixel > available) {
        return false;
    }
    image.rgba.resize(pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* s = data + i * bytesPerPixel;
        std::uint32_t pixel = s[0] | (s[1] << 8) | (static_cast<std::uint32_t>(s[2]) << 16);
        if (bytesPerPixel == 4) {
            pixel |= static_cast<std::uint32_t>(s[3]) << 24;
        }
        image.rgba[i * 4 + 0] = Channel(pixel, red, 0);
        image.rgba[i * 4 + 1] = Channel(pixel, green, 0);
        image.rgba[i * 4 + 2] = Channel(pixel, blue, 0);
        image.rgba[i * 4 + 3] = Channel(pixel, alphaMask, 255);
    }
    return true;
}

using SdlImageLoader = SDL_Surface* (*)(SDL_RWops*);

// SDL_image path shared by TGA and JPEG; the result is always RGBA, top row first. The format's own
// loader is called directly: the typed entry point would let any other format's signature win.
bool DecodeWithSdlImage(const std::uint8_t* bytes, std::size_t size, SdlImageLoader load, DecodedImage& image)
{
    image = DecodedImage();
    if (bytes == nullptr || size == 0 || size > 0x7FFFFFFF) {
        return false;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (stream == nullptr) {
        return false;
    }
    SDL_Surface* loaded = load(stream);
    SDL_RWclose(stream);
    if (loaded == nullptr) {
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (converted == nullptr) {
        return false;
    }
    bool ok = converted->w > 0 && converted->h > 0 && converted->w <= kMaxSide && converted->h <= kMaxSide;
    if (ok) {
        image.width = converted->w;
        image.height = converted->h;
        image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4u);
        SDL_LockSurface(converted);
        for (int y = 0; y < image.height; ++y) {
            std::memcpy(&image.rgba[static_cast<std::size_t>(y) * image.width * 4u],
                        static_cast<const std::uint8_t*>(converted->pixels) + static_cast<std::size_t>(y) * converted->pitch,
                        static_cast<std::size_t>(image.width) * 4u);
        }
        SDL_UnlockSurface(converted);
    }
    SDL_FreeSurface(converted);
    if (!ok) {
        image = DecodedImage();
    }
    return ok;
}

// SDL_image accepts a TGA whose pixels are cut short; a damaged file must fail instead of showing junk.
bool TgaIsComplete(const std::uint8_t* bytes, std::size_t size)
{
    if (bytes == nullptr || size < 18) {
        return false;
    }
    const int imageType = bytes[2];
    const std::size_t width = ReadLe16(bytes + 12);
    const std::size_t height = ReadLe16(bytes + 14);
    const std::size_t bytesPerPixel = (static_cast<std::size_t>(bytes[16]) + 7) / 8;
    const std::size_t mapEntryBytes = (static_cast<std::size_t>(bytes[7]) + 7) / 8;
    const std::size_t mapLength = bytes[1] != 0 ? ReadLe16(bytes + 5) * mapEntryBytes : 0;
    if (width == 0 || height == 0 || width > static_cast<std::size_t>(kMaxSide) ||
        height > static_cast<std::size_t>(kMaxSide) || bytesPerPixel == 0 || bytesPerPixel > 4) {
        return false;
    }
    std::size_t at = 18 + static_cast<std::size_t>(bytes[0]) + mapLength;
    const std::size_t pixels = width * height;
    if (imageType == 1 || imageType == 2 || imageType == 3) {
        return at <= size && pixels * bytesPerPixel <= size - at;
    }
    if (imageType != 9 && imageType != 10 && imageType != 11) {
        return false;
    }
    std::size_t done = 0;
    while (done < pixels) {
        if (at >= size) {
            return false;
        }
        const std::uint8_t packet = bytes[at++];
        const std::size_t count = static_cast<std::size_t>(packet & 0x7F) + 1;
        const std::size_t length = (packet & 0x80) != 0 ? bytesPerPixel : count * bytesPerPixel;
        if (length > size - at) {
            return false;
        }
        at += length;
        done += count;
    }
    return true;
}

// The frame size from a JPEG's start-of-frame segment; false when none is found within the bytes.
bool JpegSize(const std::uint8_t* bytes, std::size_t size, std::size_t& width, std::size_t& height)
{
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (bytes[at] != 0xFF) {
            return false;
        }
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        const std::size_t length = (static_cast<std::size_t>(bytes[at + 2]) << 8) | bytes[at + 3];
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                                  marker != 0xCC;
        if (startOfFrame) {
            if (at + 9 > size) {
                return false;
            }
            height = (static_cast<std::size_t>(bytes[at + 5]) << 8) | bytes[at + 6];
            width = (static_cast<std::size_t>(bytes[at + 7]) << 8) | bytes[at + 8];
            return true;
        }
        if (length < 2) {
            return false;
        }
        at += 2 + length;
    }
    return false;
}

} // namespace

namespace ImageDecoder {

ImageFormat DetectFormat(const std::uint8_t* bytes, std::size_t size)
{
    if (bytes == nullptr || size == 0) {
        return ImageFormat::Unknown;
    }
    if (size >= 4 && std::memcmp(bytes, "DDS ", 4) == 0) {
        return ImageFormat::Dds;
    }
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return ImageFormat::Jpeg;
    }
    return ImageFormat::Tga;
}

bool Decode(const std::uint8_t* bytes, std::size_t size, DecodedImage& image)
{
    switch (DetectFormat(bytes, size)) {
    case ImageFormat::Dds:
        return DecodeDds(bytes, size, image);
    case ImageFormat::Jpeg:
        return DecodeJpeg(bytes, size, image);
    case ImageFormat::Tga:
        return DecodeTga(bytes, size, image);
    default:
        image = DecodedImage();
        return false;
    }
}

bool DecodeDds(const std::uint8_t* bytes, std::size_t size, DecodedImage& image)
{
    image = DecodedImage();
    if (bytes == nullptr || size < kDdsHeaderEnd || std::memcmp(bytes, "DDS ", 4) != 0 ||
        ReadLe32(bytes + 4) != 124) {
        return false;
    }
    const std::uint32_t height = ReadLe32(bytes + 12);
    const std::uint32_t width = ReadLe32(bytes + 16);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        return false;
    }
    image.width = static_cast<std::int32_t>(width);
    image.height = static_cast<std::int32_t>(height);
    const std::uint32_t formatFlags = ReadLe32(bytes + 80);
    const std::uint8_t* data = bytes + kDdsHeaderEnd;
    const std::size_t available = size - kDdsHeaderEnd;
    bool ok = false;
    if ((formatFlags & kFourCc) != 0) {
        const std::uint32_t code = ReadLe32(bytes + 84);
        if (code == FourCc('D', 'X', 'T', '1') || code == FourCc('D', 'X', 'T', '3') ||
            code == FourCc('D', 'X', 'T', '5')) {
            ok = DecodeBlocks(data, available, code, image);
        }
    } else {
        ok = DecodeUncompressed(bytes, data, available, image);
    }
    if (!ok) {
        image = DecodedImage();
    }
    return ok;
}

bool DecodeTga(const std::uint8_t* bytes, std::size_t size, DecodedImage& image)
{
    if (!TgaIsComplete(bytes, size)) {
        image = DecodedImage();
        return false;
    }
    return DecodeWithSdlImage(bytes, size, IMG_LoadTGA_RW, image);
}

bool DecodeJpeg(const std::uint8_t* bytes, std::size_t size, DecodedImage& image)
{
    std::size_t width = 0;
    std::size_t height = 0;
    if (DetectFormat(bytes, size) != ImageFormat::Jpeg || !JpegSize(bytes, size, width, height) || width == 0 ||
        height == 0 || width > static_cast<std::size_t>(kMaxSide) || height > static_cast<std::size_t>(kMaxSide)) {
        image = DecodedImage();
        return false;
    }
    return DecodeWithSdlImage(bytes, size, IMG_LoadJPG_RW, image);
}

} // namespace ImageDecoder
