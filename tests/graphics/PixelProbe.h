// Pixel checks of a read-back frame for the GoogleTest suites (kept apart: the benchmark has no GoogleTest).
#pragma once

#include "GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace gfxtest {

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

} // namespace gfxtest
