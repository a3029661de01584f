#include "GameEffects.h"

#include "GameGlobals.h"
#include "ZoBitmapFont.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::int32_t kPointsFont = 1;
constexpr float kPointsRise = 42.0f;
constexpr float kPointsTop = 28.0f;
// Sideways drift per pixel from the board's middle, and turns per pixel of drift: a slight, rolling spin.
constexpr float kDriftPerPixel = 0.00018f;
constexpr float kSpinPerDrift = 0.09f;

// Frames of elapsed ms until a clock at from exceeds step, in ms.
float TimeToPass(float from, float step, float elapsed) {
    return (std::floor((step - from) / elapsed) + 1.0f) * elapsed;
}

} // namespace

void GameEffects::StartFall(BaseBubble& ball, float boardMiddle) {
    const float jitter = static_cast<float>(random_.Next()) / ZoRandom::kMax - 0.5f;
    ball.velocity = ZoVector((ball.position.x - boardMiddle) * kDriftPerPixel + jitter * 0.02f, 0.0f, 0.0f);
}

void GameEffects::Update(std::int32_t elapsed, const std::vector<std::unique_ptr<BaseBubble>>& falling,
                         std::int32_t removalClock, std::int32_t removalStep, float floor) {
    const GameGlobals& values = GameValues();
    const float frame = static_cast<float>(std::max(elapsed, 1));
    const float step = static_cast<float>(removalStep);
    const float rest = floor - static_cast<float>(values.BubbleRadius);
    // Frames to come are taken to be as long as this one; a guess that was off is made good in the next.
    float due = removalClock > removalStep ? 0.0f : TimeToPass(static_cast<float>(removalClock), step, frame);
    const float between = TimeToPass(0.0f, step, frame);
    for (const auto& ball : falling) {
        // Falls with the steady pull that brings it from where it was drawn last to the floor when it is due.
        const float span = due + frame;
        const float pull =
            std::max(0.0f, 2.0f * (rest - ball->position.y - ball->velocity.y * span) / (span * span));
        ball->position.y =
            due == 0.0f
                ? rest
                : std::min(rest, ball->position.y + ball->velocity.y * frame + 0.5f * pull * frame * frame);
        ball->velocity.y += pull * frame;
        // Drifts and spins, bouncing softly off the walls.
        ball->position.x += ball->velocity.x * frame;
        if (ball->position.x < static_cast<float>(values.LeftWallX) ||
            ball->position.x > static_cast<float>(values.RightWallX)) {
            ball->position.x = std::clamp(ball->position.x, static_cast<float>(values.LeftWallX),
                                          static_cast<float>(values.RightWallX));
            ball->velocity.x *= -0.5f;
        }
        ball->rotation += ball->velocity.x * kSpinPerDrift * frame;
        due += between;
    }
    for (Points& shown : points_) {
        shown.age += elapsed;
    }
    points_.erase(std::remove_if(points_.begin(), points_.end(),
                                 [](const Points& shown) { return shown.age >= kPopTime; }),
                  points_.end());
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
