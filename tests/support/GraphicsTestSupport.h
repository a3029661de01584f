// Test pictures built in code (TGA, DDS, JPEG), a test archive, the headless device and pixel checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct SDL_Window;

namespace gfxtest {

// Pixels as 0xRRGGBBAA, row-major, top row first.
using Pixels = std::vector<std::uint32_t>;

// Appends value as `bytes` little-endian bytes.
void PutLE(std::string& s, std::uint32_t value, int bytes);

Pixels Fill(int width, int height, std::uint32_t colour);
void FillRect(Pixels& pixels, int width, int left, int top, int w, int h, std::uint32_t colour);

// Uncompressed (type 2) or run-length (type 10) 32-bit TGA, rows bottom-up unless topDown.
std::string MakeTga(int width, int height, const Pixels& pixels, bool topDown = false, bool rle = false);
// 32-bit uncompressed DDS with BGRA masks.
std::string MakeDds32(int width, int height, const Pixels& pixels);
// DDS with the given four-character code and raw block bytes.
std::string MakeDdsBlocks(int width, int height, const char* fourCc, const std::string& blocks);
// A JPEG written by SDL_image at high quality.
std::string MakeJpeg(int width, int height, const Pixels& pixels);

// Opens (once per process) the archive with every test picture and the font descriptions,
// then the headless window and the render device.
void EnsureWorld();
// Adds one more archive with the given files (later archives lose to earlier ones on equal names).
void OpenExtraArchive(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& files);

// The last presented frame as 0xRRGGBBAA.
Pixels Frame();
std::uint32_t At(const Pixels& frame, int x, int y);
// Red, green, blue within tolerance (alpha ignored).
bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 3);
// Compares the last frame with tests/graphics/golden/<name>.png; KORRIK_UPDATE_GOLDEN=1 writes it instead.
// Returns an empty string on a match, else what differed.
std::string CompareGolden(const std::string& name);

// A pixel of the frame and the colour expected there.
struct Probe {
    int x, y;
    std::uint32_t colour;
};
// Expects every probed pixel of frame near its colour; a failure names the pixel and what it held.
inline void ExpectPixels(const Pixels& frame, const std::vector<Probe>& probes, int tolerance = 3) {
    for (const Probe& probe : probes) {
        const std::uint32_t found = At(frame, probe.x, probe.y);
        EXPECT_TRUE(Near(found, probe.colour, tolerance))
            << "pixel (" << probe.x << ", " << probe.y << ") is " << std::hex << found << ", expected "
            << probe.colour;
    }
}

// The game's window (the newest one SDL knows), as SDL's own handle.
SDL_Window* OurWindow();

// Error boxes shown since the last call.
std::vector<std::string> TakeErrors();

} // namespace gfxtest
