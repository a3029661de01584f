// Shows rectangles of the 800x600 frame in a window of any size: letterboxed, smoothly scaled.
#pragma once

#include <cstdint>
#include <vector>

// A rectangle in pixels: left and top inside, right and bottom outside.
struct VideoRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    std::int64_t Area() const { return Empty() ? 0 : std::int64_t{right - left} * (bottom - top); }
    bool Intersects(const VideoRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    VideoRect Intersection(const VideoRect& o) const;
    VideoRect Union(const VideoRect& o) const;
};

// Each window pixel is a fixed function of the frame (bilinear between the nearest four frame pixels),
// so showing any part of the frame again gives exactly the pixels that showing all of it would.
class FrameScaler {
public:
    // The frame's place in a window of the given size: as large as fits, centred, bars around it.
    static VideoRect Letterbox(int windowWidth, int windowHeight, int frameWidth, int frameHeight);

    void Configure(int frameWidth, int frameHeight, const VideoRect& box);
    const VideoRect& Box() const { return box_; }

    // The window pixels that depend on a rectangle of the frame.
    VideoRect WindowArea(const VideoRect& frameArea) const;
    // Writes the window pixels of WindowArea(frameArea). Pixels are 32-bit 0x..RRGGBB; pitches in pixels.
    VideoRect Show(const std::uint32_t* frame, int framePitch, std::uint32_t* window, int windowPitch,
                   const VideoRect& frameArea);

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
    VideoRect box_;
    bool identity_ = false;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
    std::vector<std::uint32_t> line_; // one frame row, blended between two
};
