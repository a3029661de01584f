// Where two frames differ: compares their recorded sprite batches, not their pixels.
#pragma once

#include "PlatformVideo.h"

#include <vector>

// The areas of the 800x600 frame whose pixels may differ between a frame drawn from `before` and one
// drawn from `after`: the bounds of every sprite not drawn identically and in the same order in both,
// gathered on a grid of kTile-pixel tiles and handed back as a few rectangles.
class ZoFrameDiff {
public:
    static constexpr int kTile = 8;

    static std::vector<ZoRect> ChangedAreas(const std::vector<VideoSprite>& before,
                                               const std::vector<VideoSprite>& after);
};
