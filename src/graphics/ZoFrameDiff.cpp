#include "ZoFrameDiff.h"

#include <array>
#include <cstring>
#include <unordered_map>

namespace {

constexpr int kColumns = (PlatformVideo::kFrameWidth + ZoFrameDiff::kTile - 1) / ZoFrameDiff::kTile;
constexpr int kRows = (PlatformVideo::kFrameHeight + ZoFrameDiff::kTile - 1) / ZoFrameDiff::kTile;

std::uint64_t Hash(const VideoSprite& s) {
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](std::uint32_t value) { hash = (hash ^ value) * 1099511628211ull; };
    auto mixFloat = [&mix](float value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        mix(bits);
    };
    mix(s.texture);
    mix(static_cast<std::uint32_t>(s.sourceLeft));
    mix(static_cast<std::uint32_t>(s.sourceTop));
    mix(static_cast<std::uint32_t>(s.sourceWidth));
    mix(static_cast<std::uint32_t>(s.sourceHeight));
    for (const float value : {s.scaleX, s.scaleY, s.centreX, s.centreY, s.angle, s.x, s.y})
        mixFloat(value);
    mix(s.colour);
    return hash;
}

class TileGrid {
public:
    void Mark(const ZoRect& area) {
        const ZoRect inside = area.Intersection(ZoRect{0, 0, PlatformVideo::kFrameWidth, PlatformVideo::kFrameHeight});
        if (inside.Empty())
            return;
        const int tile = ZoFrameDiff::kTile;
        for (int row = inside.top / tile; row <= (inside.bottom - 1) / tile; ++row) {
            for (int column = inside.left / tile; column <= (inside.right - 1) / tile; ++column)
                tiles_[static_cast<std::size_t>(row * kColumns + column)] = true;
        }
    }

    // Runs of marked tiles per row; a run with the same extent as one in the row above continues it.
    std::vector<ZoRect> Rectangles() const {
        std::vector<ZoRect> out;
        std::vector<Growing> growing;
        std::vector<Growing> next;
        for (int row = 0; row <= kRows; ++row) {
            next.clear();
            for (int column = 0; row < kRows && column < kColumns;) {
                if (!Marked(column, row)) {
                    ++column;
                    continue;
                }
                const int first = column;
                while (column < kColumns && Marked(column, row))
                    ++column;
                Growing run{first, column, row};
                for (const Growing& above : growing) {
                    if (above.first == first && above.end == column)
                        run.top = above.top;
                }
                next.push_back(run);
            }
            for (const Growing& above : growing) {
                bool continued = false;
                for (const Growing& run : next)
                    continued = continued || (run.first == above.first && run.end == above.end);
                if (!continued)
                    out.push_back(Pixels(above, row));
            }
            growing.swap(next);
        }
        return out;
    }

private:
    struct Growing {
        int first, end, top; // tile columns [first, end) from tile row top down
    };

    bool Marked(int column, int row) const { return tiles_[static_cast<std::size_t>(row * kColumns + column)]; }

    static ZoRect Pixels(const Growing& run, int endRow) {
        const int tile = ZoFrameDiff::kTile;
        const ZoRect rect{run.first * tile, run.top * tile, run.end * tile, endRow * tile};
        return rect.Intersection(ZoRect{0, 0, PlatformVideo::kFrameWidth, PlatformVideo::kFrameHeight});
    }

    std::array<bool, static_cast<std::size_t>(kColumns * kRows)> tiles_{};
};

} // namespace

std::vector<ZoRect> ZoFrameDiff::ChangedAreas(const std::vector<VideoSprite>& before,
                                                 const std::vector<VideoSprite>& after) {
    // Same prefix and suffix first: the usual frame differs in a sprite or two.
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const std::size_t beforeEnd = before.size() - suffix;
    const std::size_t afterEnd = after.size() - suffix;

    // In between, each sprite of the new frame is paired with the first equal one of the old frame after
    // the last pair: the pairs keep their order, so every pixel covered only by paired sprites is drawn
    // by the same sprites in the same order in both frames, and cannot have changed.
    std::vector<bool> pairedBefore(beforeEnd - prefix, false);
    std::vector<bool> pairedAfter(afterEnd - prefix, false);
    if (!pairedBefore.empty() && !pairedAfter.empty()) {
        struct Bucket {
            std::vector<std::size_t> indexes;
            std::size_t next = 0;
        };
        std::unordered_map<std::uint64_t, Bucket> buckets;
        for (std::size_t i = prefix; i < beforeEnd; ++i)
            buckets[Hash(before[i])].indexes.push_back(i);
        std::size_t lastPaired = prefix; // one past the last paired sprite of the old frame
        for (std::size_t j = prefix; j < afterEnd; ++j) {
            auto found = buckets.find(Hash(after[j]));
            if (found == buckets.end())
                continue;
            Bucket& bucket = found->second;
            while (bucket.next < bucket.indexes.size() && bucket.indexes[bucket.next] < lastPaired)
                ++bucket.next;
            for (std::size_t k = bucket.next; k < bucket.indexes.size(); ++k) {
                const std::size_t i = bucket.indexes[k];
                if (before[i] == after[j]) {
                    pairedBefore[i - prefix] = true;
                    pairedAfter[j - prefix] = true;
                    lastPaired = i + 1;
                    bucket.next = k + 1;
                    break;
                }
            }
        }
    }
    TileGrid grid;
    for (std::size_t i = prefix; i < beforeEnd; ++i) {
        if (!pairedBefore[i - prefix])
            grid.Mark(PlatformVideo::SpriteBounds(before[i]));
    }
    for (std::size_t j = prefix; j < afterEnd; ++j) {
        if (!pairedAfter[j - prefix])
            grid.Mark(PlatformVideo::SpriteBounds(after[j]));
    }
    return grid.Rectangles();
}
