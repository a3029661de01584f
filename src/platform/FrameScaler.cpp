#include "FrameScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

ZoRect FrameScaler::Letterbox(int windowWidth, int windowHeight, int frameWidth, int frameHeight) {
    if (windowWidth <= 0 || windowHeight <= 0)
        return ZoRect{0, 0, frameWidth, frameHeight};
    const double scale = std::min(static_cast<double>(windowWidth) / frameWidth,
                                  static_cast<double>(windowHeight) / frameHeight);
    const int width = std::max(1, static_cast<int>(std::lround(frameWidth * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(frameHeight * scale)));
    const int left = (windowWidth - width) / 2;
    const int top = (windowHeight - height) / 2;
    return ZoRect{left, top, left + width, top + height};
}

std::vector<FrameScaler::Tap> FrameScaler::Taps(int windowSize, int frameSize) {
    // Sample at pixel centres, as texture filtering does.
    std::vector<Tap> taps(static_cast<std::size_t>(windowSize));
    for (int i = 0; i < windowSize; ++i) {
        const double at = (i + 0.5) * frameSize / windowSize - 0.5;
        const double floor = std::floor(at);
        Tap& tap = taps[static_cast<std::size_t>(i)];
        tap.first = static_cast<std::int32_t>(floor);
        tap.weight = static_cast<std::int32_t>(std::lround((at - floor) * 256.0));
        if (tap.first < 0) {
            tap.first = 0;
            tap.weight = 0;
        }
        if (tap.first >= frameSize - 1) {
            tap.first = frameSize - 1;
            tap.weight = 0;
        }
    }
    return taps;
}

void FrameScaler::Configure(int frameWidth, int frameHeight, const ZoRect& box) {
    if (frameWidth == frameWidth_ && frameHeight == frameHeight_ && box.left == box_.left &&
        box.top == box_.top && box.right == box_.right && box.bottom == box_.bottom && !columns_.empty())
        return;
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    box_ = box;
    identity_ = box.right - box.left == frameWidth && box.bottom - box.top == frameHeight;
    columns_ = Taps(box.right - box.left, frameWidth);
    rows_ = Taps(box.bottom - box.top, frameHeight);
}

void FrameScaler::Span(const std::vector<Tap>& taps, int from, int to, int& begin, int& end) {
    // Taps are in order, so the readers of [from, to) are one run: first those reading from - 1 and
    // its successor, last those reading to - 1.
    const auto first = std::lower_bound(taps.begin(), taps.end(), from - 1,
                                        [](const Tap& tap, int value) { return tap.first < value; });
    const auto last = std::upper_bound(first, taps.end(), to - 1,
                                       [](int value, const Tap& tap) { return value < tap.first; });
    begin = static_cast<int>(first - taps.begin());
    end = static_cast<int>(last - taps.begin());
}

ZoRect FrameScaler::WindowArea(const ZoRect& frameArea) const {
    const ZoRect area = frameArea.Intersection(ZoRect{0, 0, frameWidth_, frameHeight_});
    if (area.Empty() || columns_.empty())
        return ZoRect{};
    if (identity_)
        return ZoRect{box_.left + area.left, box_.top + area.top, box_.left + area.right,
                         box_.top + area.bottom};
    ZoRect window;
    Span(columns_, area.left, area.right, window.left, window.right);
    Span(rows_, area.top, area.bottom, window.top, window.bottom);
    window.left += box_.left;
    window.right += box_.left;
    window.top += box_.top;
    window.bottom += box_.top;
    return window;
}

namespace {

// Mixes two pixels, weight 0..256 towards the second; red and blue share one multiply.
inline std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t redBlue = (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight) >> 8) & 0xFF00FFu;
    const std::uint32_t green = (((a & 0x00FF00u) * keep + (b & 0x00FF00u) * weight) >> 8) & 0x00FF00u;
    return 0xFF000000u | redBlue | green;
}

} // namespace

ZoRect FrameScaler::Show(const std::uint32_t* frame, int framePitch, std::uint32_t* window, int windowPitch,
                            const ZoRect& frameArea) {
    const ZoRect area = WindowArea(frameArea);
    if (area.Empty())
        return area;
    if (identity_) {
        const std::size_t bytes = static_cast<std::size_t>(area.right - area.left) * 4u;
        for (int y = area.top; y < area.bottom; ++y) {
            const std::uint32_t* from = frame + static_cast<std::ptrdiff_t>(y - box_.top) * framePitch +
                                        (area.left - box_.left);
            std::memcpy(window + static_cast<std::ptrdiff_t>(y) * windowPitch + area.left, from, bytes);
        }
        return area;
    }
    // Down the columns first, into one line of the frame columns the area reads, then across it.
    const int firstColumn = columns_[static_cast<std::size_t>(area.left - box_.left)].first;
    const int lastColumn = std::min(frameWidth_ - 1, columns_[static_cast<std::size_t>(area.right - 1 - box_.left)].first + 1);
    line_.resize(static_cast<std::size_t>(frameWidth_));
    for (int y = area.top; y < area.bottom; ++y) {
        const Tap& row = rows_[static_cast<std::size_t>(y - box_.top)];
        const std::uint32_t* upper = frame + static_cast<std::ptrdiff_t>(row.first) * framePitch;
        if (row.weight == 0) {
            std::memcpy(&line_[static_cast<std::size_t>(firstColumn)], upper + firstColumn,
                        static_cast<std::size_t>(lastColumn - firstColumn + 1) * 4u);
        } else {
            const std::uint32_t* lower = upper + framePitch;
            for (int c = firstColumn; c <= lastColumn; ++c)
                line_[static_cast<std::size_t>(c)] = Mix(upper[c], lower[c], static_cast<std::uint32_t>(row.weight));
        }
        std::uint32_t* out = window + static_cast<std::ptrdiff_t>(y) * windowPitch;
        for (int x = area.left; x < area.right; ++x) {
            const Tap& column = columns_[static_cast<std::size_t>(x - box_.left)];
            const std::uint32_t* at = &line_[static_cast<std::size_t>(column.first)];
            out[x] = column.weight > 0 ? Mix(at[0], at[1], static_cast<std::uint32_t>(column.weight)) : at[0];
        }
    }
    return area;
}
