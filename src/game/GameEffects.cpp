#include "GameEffects.h"

#include "GameGlobals.h"
#include "GameSprites.h"
#include "ZoBitmapFont.h"
#include "ZoSpriteLayer.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::int32_t kPointsFont = 1;
constexpr float kPointsRise = 42.0f;
constexpr float kPointsTop = 28.0f;
// Sideways drift per pixel from the board's middle, and turns per pixel of drift: a slight, rolling spin.
constexpr float kDriftPerPixel = 0.00018f;
constexpr float kSpinPerDrift = 0.09f;

// Runs make with the game's generator standing in for the effects' own sequence, then puts both back.
template <typename Make> auto WithOwnNumbers(ZoRandom& own, Make make) {
    ZoRandom& shared = SystemRandom();
    const std::uint32_t saved = shared.State();
    shared.Seed(own.State());
    auto made = make();
    own.Seed(shared.State());
    shared.Seed(saved);
    return made;
}

} // namespace

void GameEffects::StartFall(BaseBubble& ball, float boardMiddle) {
    const float jitter = static_cast<float>(random_.Next()) / ZoRandom::kMax - 0.5f;
    ball.velocity.x = (ball.position.x - boardMiddle) * kDriftPerPixel + jitter * 0.02f;
}

bool GameEffects::Fall(BaseBubble& ball, std::int32_t elapsed, float floor) {
    const float t = static_cast<float>(elapsed);
    ball.position += ball.velocity * t;
    ball.velocity.y += kGravity * t;
    ball.rotation += ball.velocity.x * kSpinPerDrift * t;
    const float radius = static_cast<float>(GameValues().BubbleRadius);
    if (ball.position.y + radius < floor) {
        return false;
    }
    ball.position.y = floor - radius;
    ball.LeaveLayer();
    std::unique_ptr<BubbleDestroy> burst = WithOwnNumbers(random_, [&ball] { return ball.MakeBurst(); });
    if (burst != nullptr) {
        GameSprites::Instance().Layer().AddOwned(std::move(burst));
    }
    GameGlobals& values = GameValues();
    values.fallSoundToggle = !values.fallSoundToggle;
    if (values.fallSoundToggle) {
        PlayGameSound(GameSound::BallDelete);
    }
    return true;
}

void GameEffects::Update(std::int32_t elapsed, const std::vector<std::unique_ptr<BaseBubble>>& counting,
                         float floor) {
    for (const auto& ball : counting) {
        // Out of the layer: it has burst at the bottom and waits only to be counted.
        if (ball->Layer() != nullptr) {
            Fall(*ball, elapsed, floor);
        }
    }
    counted_.erase(std::remove_if(counted_.begin(), counted_.end(),
                                  [elapsed, floor, this](const std::unique_ptr<BaseBubble>& ball) {
                                      return Fall(*ball, elapsed, floor);
                                  }),
                   counted_.end());
    for (Points& shown : points_) {
        shown.age += elapsed;
    }
    points_.erase(std::remove_if(points_.begin(), points_.end(),
                                 [](const Points& shown) { return shown.age >= kPopTime; }),
                  points_.end());
}

void GameEffects::KeepFalling(std::unique_ptr<BaseBubble> ball) {
    if (ball != nullptr && ball->Layer() != nullptr) {
        counted_.push_back(std::move(ball));
    }
}

void GameEffects::AddPoints(const ZoVector& at, std::int32_t value) {
    points_.push_back(Points{at, value, 0});
}

void GameEffects::Draw() const {
    ZoBitmapFont* font = ZoFontRegistry::Instance().Get(kPointsFont);
    if (font == nullptr) {
        return;
    }
    for (const Points& shown : points_) {
        const float progress = static_cast<float>(shown.age) / kPopTime;
        // Rises quickly, then slows; fades over its last half.
        const float rise = kPointsRise * (1.0f - (1.0f - progress) * (1.0f - progress));
        const float alpha = progress < 0.5f ? 255.0f : 255.0f * (1.0f - progress) * 2.0f;
        char text[16];
        std::snprintf(text, sizeof text, "+%d", static_cast<int>(shown.value));
        font->SetColour(255.0f, 255.0f, 255.0f, alpha);
        // A group at the ceiling still shows its points whole.
        const float y = std::max(shown.at.y - rise, kPointsTop);
        font->DrawText(static_cast<std::int32_t>(shown.at.x), static_cast<std::int32_t>(y), text,
                       ZoBitmapFont::kAlignCentre);
    }
    font->SetColour(255.0f, 255.0f, 255.0f, 255.0f);
}

void GameEffects::Clear() {
    counted_.clear();
    points_.clear();
}
