#include "GraphicsTestSupport.h"

#include "PlatformVideo.h"
#include "ZoArchiveWriter.h"
#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"
#include "ZoShowError.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace gfxtest {

namespace {

std::vector<std::string> g_errors;

void PutBgra(std::string& s, std::uint32_t rgba) {
    for (int shift : {8, 16, 24, 0})
        s.push_back(static_cast<char>((rgba >> shift) & 0xFF));
}

// A scratch folder for the test archives, removed when the test program ends.
const std::string& ScratchFolder() {
    static const struct Folder {
        Folder() {
            std::string pattern = (std::filesystem::temp_directory_path() / "korrik-gfx-XXXXXX").string();
            path = mkdtemp(pattern.data()) != nullptr ? pattern : std::string("/tmp");
        }
        ~Folder() {
            std::error_code ignored;
            if (path != "/tmp")
                std::filesystem::remove_all(path, ignored);
        }
        std::string path;
    } folder;
    return folder.path;
}

std::string DdsHeader(int width, int height, std::uint32_t formatFlags, const char* fourCc, int bits,
                      std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
    std::string s = "DDS ";
    // Header size, flags (caps, height, width, pixel format), height, width, pitch, depth, mip count.
    for (std::uint32_t v :
         {124u, 0x1007u, static_cast<std::uint32_t>(height), static_cast<std::uint32_t>(width), 0u, 0u, 1u})
        PutLE(s, v, 4);
    s.append(44, '\0');
    PutLE(s, 32, 4);
    PutLE(s, formatFlags, 4);
    s.append(fourCc != nullptr ? std::string(fourCc, 4) : std::string(4, '\0'));
    for (std::uint32_t v : {static_cast<std::uint32_t>(bits), r, g, b, a, 0x1000u})
        PutLE(s, v, 4);
    s.append(16, '\0');
    return s;
}

// Four fonts: fixed 16-pixel cells, glyphs found by the ink scan, a missing picture, a foreign (RLE) one.
const char* const kFontDescriptions =
    "Mono = {\nCodes = \"ABCD\"\nFileName = \"Fonts/Mono\"\nMonoWidth = 16\nCharDist = 2\nSpaceSize = 0\n}\n"
    "Scan = {\nCodes = \" AB\"\nFileName = \"Fonts/Scan\"\nMonoWidth = -1\nCharDist = 1\nSpaceSize = 4\n}\n"
    "Missing = {\nCodes = \"AB\"\nFileName = \"Fonts/Nowhere\"\nMonoWidth = 8\nCharDist = 0\nSpaceSize = 0\n}\n"
    "Foreign = {\nCodes = \"AB\"\nFileName = \"Fonts/Foreign\"\nMonoWidth = 8\nCharDist = 0\nSpaceSize = 0\n}\n";

} // namespace

void PutLE(std::string& s, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

Pixels Fill(int width, int height, std::uint32_t colour) {
    return Pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
}

void FillRect(Pixels& pixels, int width, int left, int top, int w, int h, std::uint32_t colour) {
    for (int y = top; y < top + h; ++y) {
        for (int x = left; x < left + w; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = colour;
    }
}

std::string MakeTga(int width, int height, const Pixels& pixels, bool topDown, bool rle) {
    std::string s{'\0', '\0', static_cast<char>(rle ? 10 : 2)};
    s.append(9, '\0');
    PutLE(s, static_cast<std::uint32_t>(width), 2);
    PutLE(s, static_cast<std::uint32_t>(height), 2);
    s.push_back(32);
    s.push_back(static_cast<char>(8 | (topDown ? 0x20 : 0)));
    std::vector<std::uint32_t> order;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        order.insert(order.end(), pixels.begin() + static_cast<std::ptrdiff_t>(y) * width,
                     pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * width);
    }
    for (std::size_t i = 0; i < order.size();) {
        std::size_t run = 1;
        while (rle && i + run < order.size() && run < 128 && order[i + run] == order[i])
            ++run;
        if (rle)
            s.push_back(static_cast<char>(run > 1 ? 0x80 | (run - 1) : 0)); // else a raw packet of one pixel
        PutBgra(s, order[i]);
        i += run;
    }
    return s;
}

std::string MakeDds32(int width, int height, const Pixels& pixels) {
    std::string s = DdsHeader(width, height, 0x41, nullptr, 32, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u);
    for (std::uint32_t p : pixels)
        PutBgra(s, p);
    return s;
}

std::string MakeDdsBlocks(int width, int height, const char* fourCc, const std::string& blocks) {
    return DdsHeader(width, height, 0x4, fourCc, 0, 0, 0, 0, 0) + blocks;
}

std::string MakeJpeg(int width, int height, const Pixels& pixels) {
    std::vector<std::uint8_t> bytes; // R, G, B, opaque, as SDL_PIXELFORMAT_RGBA32 lays them out
    for (std::uint32_t p : pixels)
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(p >> 24), static_cast<std::uint8_t>(p >> 16),
                                   static_cast<std::uint8_t>(p >> 8), 255});
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(bytes.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    const std::string path = ScratchFolder() + "/picture.jpg";
    IMG_SaveJPG(surface, path.c_str(), 100);
    SDL_FreeSurface(surface);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void OpenExtraArchive(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string path = ScratchFolder() + "/" + tag + ".Zor";
    ZoArchiveWriter::Write(path, files);
    ZoResourceManager::Instance().Open(path);
}

void EnsureWorld() {
    static bool ready = false;
    if (ready)
        return;
    ready = true;
    SetErrorHandler([](const std::string& text) { g_errors.push_back(text); });

    // Four quadrants: red, green / blue, white. Orientation mistakes show at once.
    Pixels quad = Fill(64, 64, 0xFF0000FFu);
    FillRect(quad, 64, 32, 0, 32, 32, 0x00FF00FFu);
    FillRect(quad, 64, 0, 32, 32, 32, 0x0000FFFFu);
    FillRect(quad, 64, 32, 32, 32, 32, 0xFFFFFFFFu);
    // A strip of four 32x32 frames, each its own colour with a dark mark in its top-left corner.
    Pixels strip = Fill(128, 32, 0);
    const std::uint32_t colours[4] = {0xFF4040FFu, 0x40FF40FFu, 0x4040FFFFu, 0xFFFF40FFu};
    // A 2x2 grid of spark frames for the emitter: soft squares of decreasing size.
    Pixels spark = Fill(32, 32, 0);
    for (int f = 0; f < 4; ++f) {
        FillRect(strip, 128, f * 32, 0, 32, 32, colours[f]);
        FillRect(strip, 128, f * 32, 0, 8, 8, 0x202020FFu);
        FillRect(spark, 32, (f % 2) * 16 + f * 2, (f / 2) * 16 + f * 2, 16 - 4 * f, 16 - 4 * f, 0xFFFFFFFFu);
    }
    // A disc for hit masks: opaque inside radius 24 of the centre of a 64x64 picture.
    Pixels disc = Fill(64, 64, 0);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if ((x - 32) * (x - 32) + (y - 32) * (y - 32) < 24 * 24)
                disc[static_cast<std::size_t>(y) * 64 + x] = 0xE08020FFu;
        }
    }
    // A full-screen backdrop: a soft vertical gradient.
    Pixels backdrop(800u * 600u);
    for (int y = 0; y < 600; ++y) {
        const auto level = static_cast<std::uint32_t>(40 + y / 4);
        FillRect(backdrop, 800, 0, y, 800, 1, (level << 24) | (level << 16) | (0xC0u << 8) | 0xFFu);
    }
    // The mono font: four 16-pixel cells, each glyph a distinct block shape; the scan font: ink in
    // pixel columns 6-7 and 12-14.
    Pixels mono = Fill(64, 16, 0);
    FillRect(mono, 64, 2, 2, 12, 12, 0xFFFFFFFFu);
    FillRect(mono, 64, 18, 2, 4, 12, 0xFFFFFFFFu);
    FillRect(mono, 64, 34, 2, 12, 4, 0xFFFFFFFFu);
    FillRect(mono, 64, 50, 6, 12, 4, 0xFFFFFFFFu);
    Pixels scan = Fill(32, 2, 0);
    FillRect(scan, 32, 6, 0, 2, 2, 0xFFFFFFFFu);
    FillRect(scan, 32, 12, 0, 3, 2, 0xFFFFFFFFu);
    OpenExtraArchive("Resource", {
        {"Data/Textures/Test/Backdrop.Tga", MakeTga(800, 600, backdrop)},
        {"Data/Textures/Test/Quad.Tga", MakeTga(64, 64, quad)},
        {"Data/Textures/Test/Strip.Tga", MakeTga(128, 32, strip)},
        {"Data/Textures/Test/Disc.Tga", MakeTga(64, 64, disc)},
        {"Data/Textures/Test/Spark.Tga", MakeTga(32, 32, spark)},
        {"Data/Textures/Test/Shade.Tga", MakeTga(32, 32, Fill(32, 32, 0x100C2899u))},
        {"Data/Textures/Test/Odd.Tga", MakeTga(100, 60, Fill(100, 60, 0x30C0C0FFu))},
        {"Data/Textures/Test/Both.Dds", MakeDds32(8, 8, Fill(8, 8, 0x00FF00FFu))},
        {"Data/Textures/Test/Both.Tga", MakeTga(8, 8, Fill(8, 8, 0xFF0000FFu))},
        {"Data/Textures/Test/Photo.Jpg", MakeJpeg(16, 16, Fill(16, 16, 0x2080E0FFu))},
        {"Data/Textures/Test/Broken.Tga", std::string("\x00\x00\x02garbage", 10)},
        {"Data/Textures/Fonts/Mono.Tga", MakeTga(64, 16, mono)},
        {"Data/Textures/Fonts/Scan.Tga", MakeTga(32, 2, scan)},
        {"Data/Textures/Fonts/Foreign.Tga", MakeTga(16, 8, Fill(16, 8, 0xFFFFFFFFu), false, true)},
        {"Data/Fonts.Txt", kFontDescriptions},
    });
    PlatformVideo::Instance().OpenWindow("Korrik Shooter", true);
    ZoRenderDevice::Instance().Create();
}

Pixels Frame() {
    const std::vector<std::uint8_t> bytes = ZoRenderDevice::Instance().ReadFramePixels();
    Pixels frame(bytes.size() / 4);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = (static_cast<std::uint32_t>(bytes[i * 4]) << 24) |
                   (static_cast<std::uint32_t>(bytes[i * 4 + 1]) << 16) |
                   (static_cast<std::uint32_t>(bytes[i * 4 + 2]) << 8) | bytes[i * 4 + 3];
    }
    return frame;
}

std::uint32_t At(const Pixels& frame, int x, int y) {
    if (frame.size() != 800u * 600u || x < 0 || y < 0 || x >= 800 || y >= 600)
        return 0xDEADBEEFu;
    return frame[static_cast<std::size_t>(y) * 800 + x];
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 8; shift <= 24; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

std::string CompareGolden(const std::string& name) {
    const char* source = std::getenv("KORRIK_SOURCE_DIR");
    const std::string path = std::string(source != nullptr ? source : ".") + "/tests/graphics/golden/" + name + ".png";
    std::vector<std::uint8_t> bytes = ZoRenderDevice::Instance().ReadFramePixels();
    if (bytes.size() != 800u * 600u * 4u)
        return "no frame to compare";
    const char* update = std::getenv("KORRIK_UPDATE_GOLDEN");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormatFrom(bytes.data(), 800, 600, 32, 800 * 4, SDL_PIXELFORMAT_RGBA32);
        const int result = IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
        return result == 0 ? std::string() : "could not write " + path;
    }
    SDL_Surface* loaded = IMG_Load(path.c_str());
    SDL_Surface* golden = loaded != nullptr ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (golden == nullptr || golden->w != 800 || golden->h != 600) {
        SDL_FreeSurface(golden);
        return "missing or misshapen golden image " + path + " (run with KORRIK_UPDATE_GOLDEN=1)";
    }
    // Small tolerance: a channel may differ by a few levels; only a handful of pixels may differ more.
    int bad = 0;
    std::string first;
    for (int y = 0; y < 600; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(golden->pixels) + y * golden->pitch;
        for (int x = 0; x < 800; ++x) {
            for (int c = 0; c < 3; ++c) {
                if (std::abs(row[x * 4 + c] - bytes[(static_cast<std::size_t>(y) * 800 + x) * 4 + c]) > 8) {
                    if (bad++ == 0)
                        first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
                    break;
                }
            }
        }
    }
    SDL_FreeSurface(golden);
    return bad > 40 ? std::to_string(bad) + " pixels differ from " + name + ", first at " + first : std::string();
}

std::vector<std::string> TakeErrors() {
    std::vector<std::string> taken;
    taken.swap(g_errors);
    return taken;
}

SDL_Window* OurWindow() {
    for (Uint32 id = 64; id > 0; --id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id))
            return window;
    }
    return nullptr;
}

} // namespace gfxtest
