#include "BaseBubble.h"

#include "GameMap.h"
#include "GameSprites.h"
#include "ZoRandom.h"
#include "ZoSpriteLayer.h"

#include <cmath>

BaseBubble::BaseBubble(const BaseBubble& prototype)
    : ZoClip(prototype), BubbleID(prototype.BubbleID), shadow(prototype.shadow) {
    previousPosition = ZoVector();
}

BaseBubble::~BaseBubble() {
    LeaveLayer();
}

void BaseBubble::EnterLayer(ZoSpriteLayer* layer) {
    // Always re-entered: the layer may have been cleared behind our back.
    LeaveLayer();
    layer_ = layer;
    if (layer_ != nullptr) {
        layer_->Add(this);
    }
}

void BaseBubble::LeaveLayer() {
    if (layer_ != nullptr) {
        layer_->Remove(this);
        layer_ = nullptr;
    }
}

void BaseBubble::Draw() {
    if (shadow != nullptr) {
        shadow->SetColour(255.0f, 255.0f, 255.0f, 80.0f);
        shadow->position = position;
        shadow->SetFrame(Animation().currentFrame);
        shadow->Draw();
    }
    ZoClip::Draw();
}

void BaseBubble::Burst() {
    const BubbleDestroy* prototype = GameSprites::Instance().BurstPrototype(BubbleID);
    if (prototype == nullptr) {
        return; // no effect pictures loaded: the ball just vanishes
    }
    auto effect = std::make_unique<BubbleDestroy>(*prototype);
    effect->userValue = 1;
    effect->position = ZoVector(position.x, position.y, 16.0f);
    effect->emitterPosition = position;
    effect->Emit(SystemRandom().Below(7) + 2);
    GameSprites::Instance().Layer().AddOwned(std::move(effect));
}

void BaseBubble::Pop(GameMap& /*map*/) {
    Burst();
}

void BaseBubble::Push(const ZoVector& source, double pushAmplitude) {
    if (jiggleState != 0 && phase < 6.0) {
        return;
    }
    pushSource = source;
    amplitude = pushAmplitude;
    phase = 0.0;
    jiggleBase = restPosition;
    phaseSpeed = kPhaseSpeed;
    direction = (position - source).Normalized();
    jiggleState = 1;
}

void BaseBubble::UpdateJiggle(std::int32_t elapsed, GameMap& map) {
    if (jiggleState == 1) {
        jiggleState = 2;
    }
    if (jiggleState != 2) {
        return;
    }
    if (phase > 1.5707963267948966 && !propagated) {
        propagated = true;
        const GameGlobals& values = GameValues();
        for (std::int32_t x = 0; x < values.xMax; ++x) {
            for (std::int32_t y = 0; y < values.yMax; ++y) {
                BaseBubble* other = map.Bubble(x, y);
                if (other != nullptr && other != this &&
                    (other->position - position).Length() < kPropagationDistance) {
                    other->Push(pushSource, amplitude * 0.5);
                }
            }
        }
    }
    phase += static_cast<double>(elapsed) * phaseSpeed;
    const double k = std::sin(phase) * std::sqrt(1.0 - std::tanh(phase / 5.0));
    jiggleOffset = direction * (static_cast<float>(amplitude) * static_cast<float>(k));
    position = jiggleBase + jiggleOffset;
    if (phase > 16.0) {
        jiggleState = 0;
        propagated = false;
    }
}
