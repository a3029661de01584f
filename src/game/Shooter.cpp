#include "Shooter.h"

#include "GameGeometry.h"
#include "GameGlobals.h"
#include "GameMap.h"
#include "ZoSpriteLayer.h"

#include <algorithm>
#include <cmath>

Shooter::Shooter() : launcher_(std::make_unique<ZoClip>()) {
    Reset();
}

Shooter::~Shooter() = default;

void Shooter::Setup() {
    flying = false;
    launcher_->Load(kLauncherPicture, false);
    launcher_->Animation().Setup(1, AnimNone, 1, 1);
    Reset();
}

void Shooter::Reset() {
    currentBubble_.reset();
    flying = false;
    recoilActive = false;
    homePosition_ = ZoVector(400.0f, 570.0f, 0.0f);
    launcher_->position = homePosition_;
}

ZoVector Shooter::BallPosition() const {
    return BallPositionFor(aimDirection_);
}

void Shooter::HandleMouse(std::int32_t releasedButton, std::int32_t message, float x, float y) {
    if (message == kMouseMove) {
        AimAt(x, y);
    } else if (releasedButton == kReleasedLeft) {
        TryFire();
    } else if (releasedButton == kReleasedRight) {
        TrySwap();
    }
}

void Shooter::AimAt(float x, float y) {
    aimDirection_ = AimFor(x, y);
}

ZoVector Shooter::AimFor(float x, float y) const {
    const ZoVector& launcher = launcher_->position;
    if (y >= launcher.y) {
        return aimDirection_; // no aiming below the launcher
    }
    const ZoVector aim = ZoVector(x - launcher.x, y - launcher.y, 0.0f).Normalized();
    const GameGlobals& values = GameValues();
    const float left = static_cast<float>(values.LeftWallX);
    const float right = static_cast<float>(values.RightWallX);
    const float ceiling = static_cast<float>(values.CeilingY);
    const ZoVector far = launcher + aim * 1024.0f;
    ZoVector leftPoint;
    ZoVector rightPoint;
    const bool leftMet = IntersectSegments(launcher, far, {left, ceiling}, {left, 600.0f}, leftPoint);
    const bool rightMet = IntersectSegments(launcher, far, {right, ceiling}, {right, 600.0f}, rightPoint);
    ZoVector limited = aim;
    if (leftMet && leftPoint.y > kLowestWallAim) {
        limited = ZoVector(left - launcher.x, kLowestWallAim - launcher.y, 0.0f).Normalized();
    }
    if (rightMet && rightPoint.y > kLowestWallAim) {
        limited = ZoVector(right - launcher.x, kLowestWallAim - launcher.y, 0.0f).Normalized();
    }
    return limited;
}

void Shooter::Turn(float radians) {
    if (radians == 0.0f) {
        return;
    }
    // Turned as if the mouse had moved to a point along the new direction, so keys, pads and the mouse all
    // meet the same limits.
    const float angle = std::atan2(aimDirection_.y, aimDirection_.x) + radians;
    const float upward = std::clamp(angle, -kPi + kLowestTurn, -kLowestTurn);
    const ZoVector& launcher = launcher_->position;
    AimAt(launcher.x + std::cos(upward) * 200.0f, launcher.y + std::sin(upward) * 200.0f);
}

bool Shooter::CanShoot() const {
    return currentBubble_ != nullptr && map_ != nullptr && map_->MapState == GameMap::kReady &&
           !map_->linePending && !flying;
}

bool Shooter::TryFire() {
    if (!CanShoot() || reloadCountdown != 0) {
        return false;
    }
    Fire();
    return true;
}

bool Shooter::TrySwap() {
    if (!CanShoot()) {
        return false;
    }
    SwapWithNext();
    return true;
}

void Shooter::Fire() {
    reloadCountdown = reloadTime;
    if (map_->Layer() != nullptr) {
        currentBubble_->EnterLayer(map_->Layer());
    }
    currentBubble_->rotation = 0.0f;
    // The flight starts where the ball sits for the current aim, whether or not a frame was drawn since.
    currentBubble_->position = BallPosition();
    recoilPoint_ = homePosition_ - aimDirection_ * 12.0f;
    recoilActive = true;
    recoilProgress = 0.0f;
    map_->ComputePath();
    flying = true;
    PlayGameSound(GameSound::FireBall);
}

void Shooter::SwapWithNext() {
    BaseBubble* next = map_->NextBubble();
    if (next == nullptr || next->BubbleID == currentBubble_->BubbleID) {
        return; // two balls of one colour: nothing to swap, and no sound
    }
    currentBubble_->Restart();
    next->Restart();
    std::unique_ptr<BaseBubble> taken = map_->TakeNextBubble();
    map_->SetNextBubble(std::move(currentBubble_));
    currentBubble_ = std::move(taken);
    PlayGameSound(GameSound::Swap);
}

void Shooter::UpdateShooter(std::int32_t elapsed) {
    if (currentBubble_ != nullptr) {
        if (reloadCountdown > 0) {
            reloadCountdown -= elapsed;
            if (reloadCountdown < 0) {
                reloadCountdown = 0;
            }
        }
        currentBubble_->Update(elapsed);
    }
    if (recoilActive) {
        recoilProgress += static_cast<float>(elapsed) * 0.0075f;
        if (recoilProgress > 1.0f) {
            recoilActive = false;
            recoilProgress = 0.0f;
            launcher_->position = homePosition_;
        } else {
            const float t = recoilProgress;
            launcher_->position = homePosition_ * ((1.0f - t) * (1.0f - t)) +
                                  recoilPoint_ * (2.0f * (1.0f - t) * t) + homePosition_ * (t * t);
        }
    }
}

float Shooter::FacingAngle(const ZoVector& aim) {
    // Sprites turn clockwise on screen for positive angles and the creatures are drawn upright, so the angle
    // is measured from straight up towards the right. No direction at all (the pointer on the creature)
    // keeps it upright.
    if (aim.x == 0.0f && aim.y == 0.0f) {
        return 0.0f;
    }
    return std::atan2(aim.x, -aim.y);
}

void Shooter::DrawShooter() {
    aimDirection_.Normalize();
    const bool waiting = currentBubble_ != nullptr && !flying;
    if (waiting) {
        // The waiting ball keeps its symbol upright whatever the aim.
        currentBubble_->rotation = 0.0f;
        currentBubble_->position = BallPosition();
    }
    if (map_ != nullptr && map_->NextBubble() != nullptr) {
        // Placed before it is drawn: a ball just made would otherwise show for a frame where it was created.
        BaseBubble* next = map_->NextBubble();
        next->position = launcher_->position - aimDirection_ * kNextBallDistance;
        next->SetFrame(next->Animation().frameCount - 1);
        next->Draw();
    }
    launcher_->SetColour(255.0f, 255.0f, 255.0f, 255.0f);
    launcher_->rotation = FacingAngle(aimDirection_);
    launcher_->Draw();
    if (waiting) {
        currentBubble_->Draw();
    }
}
