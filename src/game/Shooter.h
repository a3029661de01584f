// The launcher: aiming with the mouse, firing on a left release, swapping on a right release, the recoil.
#pragma once

#include "BaseBubble.h"
#include "ZoClip.h"
#include "ZoVector.h"

#include <cstdint>
#include <memory>

class GameMap;

class Shooter {
public:
    static constexpr const char* kLauncherPicture = "Korrik";
    static constexpr std::int32_t kMouseMove = 0x200;
    static constexpr std::int32_t kReleasedLeft = 1;
    static constexpr std::int32_t kReleasedRight = 2;
    // The aiming line never meets a side wall below this y.
    static constexpr float kLowestWallAim = 490.0f;
    static constexpr float kBallDistance = 31.0f;
    // The next ball sits this far behind the launcher's centre, seen through the creature's pouch.
    static constexpr float kNextBallDistance = 7.25f;
    static constexpr float kPi = 3.14159265f;
    // Turning never points the launcher closer to level than this (radians): a key held down stops there.
    static constexpr float kLowestTurn = 0.05f;

    Shooter();
    ~Shooter();
    Shooter(const Shooter&) = delete;
    Shooter& operator=(const Shooter&) = delete;

    // Loads the launcher picture and resets.
    void Setup();
    // No ball, not flying, launcher back home.
    void Reset();
    void HandleMouse(std::int32_t releasedButton, std::int32_t message, float x, float y);
    // The aim towards a point of the frame, as a mouse move there gives it.
    void AimAt(float x, float y);
    // The aim AimAt(x, y) would give, limited by the walls; the current aim for a point below the launcher.
    ZoVector AimFor(float x, float y) const;
    // The ball's place in the launcher for an aim.
    ZoVector BallPositionFor(const ZoVector& aim) const { return launcher_->position + aim * kBallDistance; }
    // Turns the aim by radians (positive: clockwise, to the right), within the mouse's limits.
    void Turn(float radians);
    // A ball waits in the launcher and the board takes shots.
    bool CanShoot() const;
    // Fire and swap as the mouse buttons do; false when the launcher cannot.
    bool TryFire();
    bool TrySwap();
    void UpdateShooter(std::int32_t elapsed);
    void DrawShooter();

    void SetMap(GameMap* map) { map_ = map; }
    GameMap* Map() const { return map_; }
    BaseBubble* CurrentBubble() const { return currentBubble_.get(); }
    void SetCurrentBubble(std::unique_ptr<BaseBubble> bubble) { currentBubble_ = std::move(bubble); }
    std::unique_ptr<BaseBubble> TakeCurrentBubble() { return std::move(currentBubble_); }
    ZoClip& Launcher() { return *launcher_; }
    const ZoVector& AimDirection() const { return aimDirection_; }
    const ZoVector& HomePosition() const { return homePosition_; }
    // The ball's place in the launcher for the current aim.
    ZoVector BallPosition() const;
    // How far a launcher creature drawn upright turns to face along aim (radians, clockwise).
    static float FacingAngle(const ZoVector& aim);

    bool flying = false;
    std::int32_t reloadTime = 500;
    std::int32_t reloadCountdown = 0;
    bool recoilActive = false;
    float recoilProgress = 0.0f;

private:
    void Fire();
    void SwapWithNext();

    std::unique_ptr<BaseBubble> currentBubble_;
    std::unique_ptr<ZoClip> launcher_;
    GameMap* map_ = nullptr;
    ZoVector aimDirection_{0.0f, -1.0f, 0.0f};
    ZoVector homePosition_{400.0f, 570.0f, 0.0f};
    ZoVector recoilPoint_;
};
