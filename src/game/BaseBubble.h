// One ball of the game: a clip of one of six colours over the shared shadow, able to wobble and burst.
#pragma once

#include "ZoClip.h"

#include <cstdint>

class GameMap;
class ZoSpriteLayer;

class BaseBubble : public ZoClip {
public:
    static constexpr double kPhaseSpeed = 0.0125;
    // Neighbours closer than this pass a wobble on.
    static constexpr float kPropagationDistance = 40.0f;

    BaseBubble() = default;
    // A new ball from a prototype: the clip, colour and shadow; no wobble, no previous position.
    BaseBubble(const BaseBubble& prototype);
    // Leaves the layer it was put into, so the layer never draws a deleted ball.
    ~BaseBubble() override;

    // Shadow first, then the ball.
    void Draw() override;
    void DrawBubble() { Draw(); }
    // Puts a burst effect of this colour into the game layer in the ball's place.
    virtual void Burst();
    virtual void Pop(GameMap& map);

    // Starts a wobble away from source; ignored during the first 6 radians of a running one.
    void Push(const ZoVector& source, double amplitude);
    // One step of the wobble; passes it on to the board's near neighbours after a quarter turn.
    void UpdateJiggle(std::int32_t elapsed, GameMap& map);

    // Puts the ball into layer (and remembers it, for the destructor).
    void EnterLayer(ZoSpriteLayer* layer);
    void LeaveLayer();
    ZoSpriteLayer* Layer() const { return layer_; }

    std::int32_t BubbleID = 0;
    ZoVector dropTarget;
    ZoClip* shadow = nullptr; // shared, not owned
    ZoVector restPosition;
    ZoVector direction;
    ZoVector jiggleBase;
    ZoVector jiggleOffset;
    ZoVector pushSource;
    double phase = 0.0;
    double amplitude = 0.0;
    double phaseSpeed = kPhaseSpeed;
    bool propagated = false;
    std::int32_t jiggleState = 0; // 0 still, 1 started, 2 running
    ZoVector velocity;            // pixels per ms, while falling

private:
    ZoSpriteLayer* layer_ = nullptr;
};
