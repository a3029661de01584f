// The load screen's progress bar: a background picture and a line picture drawn from its left edge.
#pragma once

#include "ZoClip.h"
#include "ZoImage.h"
#include "ZoVector.h"

#include <cstdint>
#include <memory>

class ZoProgressBar {
public:
    static constexpr const char* kBackgroundName = "Interface/Nag/PBgrnImg";
    static constexpr const char* kLineName = "Interface/Nag/PLineImg";

    // Loads both pictures; a missing one is simply not drawn.
    ZoProgressBar();

    // Both pictures at the position; the background whole, then percent/100 of the line's width.
    void Draw();
    // The width of the line part drawn at the current percentage.
    std::int32_t LineWidth() const;

    ZoVector position;
    std::int32_t percent = 75;

    ZoClip& Background() { return *background_; }
    ZoImage& Line() { return *line_; }

private:
    std::unique_ptr<ZoClip> background_;
    std::unique_ptr<ZoImage> line_;
};
