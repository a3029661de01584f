// Interface test set-up: game archives, fonts and device headless, input records, sounds heard.
#pragma once

#include "ZoInputEvent.h"
#include "SoundTestData.h"
#include "ZoPanelHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace guitest {

// Opens the build's archives, the headless window and device, the two fonts and the engine definitions.
bool EnsureGuiWorld();

// Real input records, translated from window messages as the window procedure does.
ZoInputEvent MouseMoveTo(int x, int y);
ZoInputEvent LeftDown(int x, int y);
ZoInputEvent LeftUp(int x, int y);
ZoInputEvent KeyDown(std::uint8_t key);
ZoInputEvent CharTyped(char character);

// Hears the interface sounds of the five effect ids.
struct InterfaceEar : SoundEar {
    InterfaceEar();
};

// One frame of the host drawn and presented; its RGBA pixels.
std::vector<std::uint8_t> DrawFrame(ZoPanelHost& host);
// (r, g, b) at a point of an RGBA frame.
struct Rgb {
    int r, g, b;
};
Rgb PixelAt(const std::vector<std::uint8_t>& frame, int x, int y);
// Writes the frame as PNG into the build folder; the path, empty on failure.
std::string SavePng(const std::vector<std::uint8_t>& frame, const std::string& name);

// Runs host updates of step ms until the top panel is steady (at most limit updates); the count.
int UpdateUntilSteady(ZoPanelHost& host, int step = 16, int limit = 1000);

} // namespace guitest
