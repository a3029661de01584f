// The aiming guide: a dotted line from the launcher's ball along the shot's first leg, up to its first bounce
// or to where the ball would stop, traced by the board's own flight planning.
#pragma once

#include "GameMap.h"
#include "Shooter.h"
#include "ZoClip.h"

#include <memory>

class AimingGuide {
public:
    static constexpr float kDotSpacing = 21.0f;

    AimingGuide();
    ~AimingGuide();
    AimingGuide(const AimingGuide&) = delete;
    AimingGuide& operator=(const AimingGuide&) = delete;

    // Draws the guide for the ball waiting in the launcher.
    void Draw(GameMap& map, const Shooter& shooter);
    // Where the line ends: the first bounce, or the centre of the cell the ball would stop in.
    const ZoVector& End() const { return end_; }
    bool EndsInCell() const { return endsInCell_; }
    ZoTexture DotTexture() const { return dot_->Data() != nullptr ? dot_->Data()->Texture() : 0; }

private:
    // Plans again only when the aim or the board has moved since the last frame.
    void Plan(GameMap& map, const Shooter& shooter);

    std::unique_ptr<ZoClip> dot_;
    std::unique_ptr<ZoClip> ring_;
    ZoVector start_;
    ZoVector direction_;
    float boardSignature_ = -1.0f;
    ZoVector end_;
    bool endsInCell_ = false;
};
