// Shows rectangles of the 800x600 frame in a window of any size: letterboxed, smoothly scaled.
#pragma once

#include "ZoPoint2D.h"

#include <cstdint>
#include <vector>

// Each window pixel is a fixed function of the frame (bilinear between the nearest four frame pixels),
// so showing any part of the frame again gives exactly the pixels that showing all of it would.
class FrameScaler {
public:
    // The frame's place in a window of the given size: as large as fits, centred, bars around it.
    static ZoRect Letterbox(int windowWidth, int windowHeight, int frameWidth, int frameHeight);

    void Configure(int frameWidth, int frameHeight, const ZoRect& box);
    const ZoRect& Box() const { return box_; }

    // The window pixels that depend on a rectangle of the frame.
    ZoRect WindowArea(const ZoRect& frameArea) const;
    // Writes the window pixels of WindowArea(frameArea). Pixels are 32-bit 0x..RRGGBB; pitches in pixels.
    ZoRect Show(const std::uint32_t* frame, int framePitch, std::uint32_t* window, int windowPitch,
                   const ZoRect& frameArea);

private:
    struct Tap {
        std::int32_t first = 0; // the nearer frame pixel (lower index)
        std::int32_t weight = 0; // 0..256: share of the pixel after it
    };
    static std::vector<Tap> Taps(int windowSize, int frameSize);
    // The window range [begin, end) of taps that read any frame pixel in [from, to).
    static void Span(const std::vector<Tap>& taps, int from, int to, int& begin, int& end);

    int frameWidth_ = 0;
    int frameHeight_ = 0;
    ZoRect box_;
    bool identity_ = false;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
    std::vector<std::uint32_t> line_; // one frame row, blended between two
};
