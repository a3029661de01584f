#include "GameSprites.h"

#include "GameGlobals.h"
#include "ZoImageCache.h"
#include "ZoRenderDevice.h"
#include "ZoShowError.h"

#include <string>

GameSprites& GameSprites::Instance() {
    static GameSprites sprites;
    return sprites;
}

GameSprites::GameSprites() : layer_(std::make_unique<ZoSpriteLayer>()) {
    // Our sprites hold pictures: the cache and the device must outlive us, so they are made first.
    PlatformVideo::Instance();
    ZoImageCache::Instance();
    ZoRenderDevice::Instance();
}

void GameSprites::Release() {
    layer_->Clear();
    layer_->SetOverlay(nullptr);
    moveMarkers_.clear();
    burstPrototypes_.clear();
    bubblePrototypes_.clear();
    shadow_.reset();
    loaded_ = false;
}

void GameSprites::LoadSprites() {
    // The layer itself stays: live balls remember it.
    Release();

    shadow_ = std::make_unique<ZoClip>();
    shadow_->Load("Bubbles/Shadow", false);
    // Cut like the balls, so the shadow can show the ball's own frame.
    shadow_->Animation().Setup(256, AnimOnce, 9, 1);

    for (std::int32_t i = 0; i < kBubbleColours; ++i) {
        auto bubble = std::make_unique<BaseBubble>();
        bubble->shadow = shadow_.get();
        bubble->Load("Bubbles/" + std::to_string(i), false);
        if (bubble->Data() == nullptr || bubble->Data()->Texture() == 0) {
            ShowError("Error Loading Bubbles...");
        }
        bubble->Animation().Setup(256, AnimOnce, 9, 1);
        bubble->BubbleID = i;
        GameValues().BubbleRadius =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(bubble->Height()) / 2u);
        bubblePrototypes_[i] = std::move(bubble);
    }

    for (std::int32_t i = 0; i < kBubbleColours; ++i) {
        auto effect = std::make_unique<BubbleDestroy>();
        effect->Load("ExpBubbles/" + std::to_string(i), false);
        effect->Animation().Setup(512, AnimNone, 16, 1);
        effect->SetupEmitter("None");
        for (std::int32_t j = 0; j < 2; ++j) {
            auto piece = std::make_unique<ZoClip>();
            piece->Load("ExpBubbles/" + std::to_string(i) + "/" + std::to_string(j), false);
            piece->Animation().Setup(512, AnimNone, 16, 1);
            effect->AddPiece(std::move(piece));
        }
        burstPrototypes_[i] = std::move(effect);
    }

    for (std::int32_t i = 0; i < kMoveMarkers; ++i) {
        auto marker = std::make_unique<ZoClip>();
        marker->Load("Moves/" + std::to_string(i), false);
        marker->Animation().Setup(1, AnimNone, 1, 1);
        moveMarkers_.push_back(std::move(marker));
    }
    loaded_ = true;
}

std::unique_ptr<BaseBubble> GameSprites::MakeBubble(std::int32_t bubbleId) const {
    const auto found = bubblePrototypes_.find(bubbleId);
    if (found != bubblePrototypes_.end()) {
        return std::make_unique<BaseBubble>(*found->second);
    }
    auto bubble = std::make_unique<BaseBubble>();
    bubble->BubbleID = bubbleId;
    bubble->shadow = shadow_.get();
    bubble->Animation().Setup(256, AnimOnce, 9, 1);
    return bubble;
}

const BubbleDestroy* GameSprites::BurstPrototype(std::int32_t bubbleId) const {
    const auto found = burstPrototypes_.find(bubbleId);
    return found != burstPrototypes_.end() ? found->second.get() : nullptr;
}

ZoClip* GameSprites::MoveMarker(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= moveMarkers_.size()) {
        return nullptr;
    }
    return moveMarkers_[static_cast<std::size_t>(index)].get();
}
