// The game's shared sprites: the game layer, the ball and burst prototypes, the shadow and the move markers.
#pragma once

#include "BaseBubble.h"
#include "BubbleDestroy.h"
#include "ZoSpriteLayer.h"

#include <map>
#include <memory>
#include <vector>

class GameSprites {
public:
    static constexpr std::int32_t kMoveMarkers = 6;

    static GameSprites& Instance();

    // Loads every prototype once; sets BubbleRadius from the ball picture. A ball picture that fails
    // shows "Error Loading Bubbles..." and loading goes on.
    void LoadSprites();
    // Lets go of every sprite (the layer is emptied first, so nothing points at a freed ball).
    void Release();

    ZoSpriteLayer& Layer() { return *layer_; }
    // A new ball of the colour from its prototype; an unloaded colour gives a bare ball of that colour.
    std::unique_ptr<BaseBubble> MakeBubble(std::int32_t bubbleId) const;
    const BubbleDestroy* BurstPrototype(std::int32_t bubbleId) const;
    ZoClip* MoveMarker(std::int32_t index) const;
    ZoClip* Shadow() const { return shadow_.get(); }
    bool Loaded() const { return loaded_; }

private:
    GameSprites();

    std::unique_ptr<ZoSpriteLayer> layer_;
    std::unique_ptr<ZoClip> shadow_;
    std::map<std::int32_t, std::unique_ptr<BaseBubble>> bubblePrototypes_;
    std::map<std::int32_t, std::unique_ptr<BubbleDestroy>> burstPrototypes_;
    std::vector<std::unique_ptr<ZoClip>> moveMarkers_;
    bool loaded_ = false;
};
