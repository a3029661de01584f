// A picture cut into a grid of equal frames, played by a ZoAnimation, with mask hit tests.
#pragma once

#include "ZoAnimation.h"
#include "ZoImage.h"

#include <memory>

class ZoClip : public ZoImage {
public:
    ZoClip();
    ZoClip(const ZoClip& other);
    ~ZoClip() override;

    void Update(std::int32_t elapsed) override;
    // The current frame through DrawFrame.
    void Draw() override;
    virtual std::unique_ptr<ZoClip> Clone() const;
    virtual void Hook() {}
    virtual void Hook1(std::int32_t) {}
    virtual void Hook2(std::int32_t) {}
    virtual void Hook3(std::int32_t) {}

    void SetFrame(std::int32_t frame);
    void ClearFrameSet() { frameSet = false; }
    std::int32_t FrameHeight() const;
    // Starts an AnimOnce clip again once it has reached its last frame.
    void Restart();
    // The frame rectangle of the current frame.
    FrameRect CurrentFrameRect() const;
    // Tests a screen point against the mask of the given level (0..2) under the current frame.
    bool HitTest(const ZoVector& point, std::int32_t level) const;

    ZoAnimation& Animation() { return *animation_; }
    const ZoAnimation& Animation() const { return *animation_; }

    std::int32_t clipValue = 0;   // owners' value, reset by a copy
    std::int32_t copiedValue = 0; // owners' value, kept by a copy
    std::int32_t state = 0;       // 2: finished, the owner may delete it
    float extentX = 16.0f;
    float extentY = 16.0f;
    float extentZ = 0.0f;
    bool frameSet = false;

private:
    std::unique_ptr<ZoAnimation> animation_;
};
