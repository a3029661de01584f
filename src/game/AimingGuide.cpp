#include "AimingGuide.h"

#include "GameGlobals.h"

#include <algorithm>

namespace {

std::unique_ptr<ZoClip> LoadPicture(const char* name) {
    auto clip = std::make_unique<ZoClip>();
    clip->Load(name, false);
    clip->Animation().Setup(1, AnimNone, 1, 1);
    return clip;
}

// Every ball's place folded into one number: a ball that moves, comes or goes changes it.
float BoardSignature(const GameMap& map) {
    float sum = 0.0f;
    const GameGlobals& values = GameValues();
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            if (const BaseBubble* ball = map.Bubble(x, y)) {
                sum += ball->position.x * 1.37f + ball->position.y * 2.71f + static_cast<float>(x * 31 + y);
            }
        }
    }
    return sum;
}

} // namespace

AimingGuide::AimingGuide() : dot_(LoadPicture("Interface/AimDot")), ring_(LoadPicture("Interface/AimRing")) {}

AimingGuide::~AimingGuide() = default;

void AimingGuide::Plan(GameMap& map, const Shooter& shooter) {
    const ZoVector start = shooter.BallPosition();
    const ZoVector direction = shooter.AimDirection();
    const float signature = BoardSignature(map);
    if (start == start_ && direction == direction_ && signature == boardSignature_) {
        return;
    }
    start_ = start;
    direction_ = direction;
    boardSignature_ = signature;
    // The very planning a shot gets when it is fired, from the place the ball leaves.
    const GameMap::ShotPlan plan = map.PlanShot(start, direction);
    endsInCell_ = plan.path.size() == 2 && plan.cell != kNoCell;
    end_ = plan.path.size() >= 2 ? plan.path[1] : start;
}

void AimingGuide::Draw(GameMap& map, const Shooter& shooter) {
    const BaseBubble* ball = shooter.CurrentBubble();
    if (ball == nullptr) {
        return;
    }
    Plan(map, shooter);
    // The ball's colour, lightened so that even the darker ones stand out on the night-blue board.
    const BubbleTint ballTint = TintOfBubble(ball->BubbleID);
    const auto lighter = [](std::int32_t channel) {
        return static_cast<float>(channel) * 0.65f + 255.0f * 0.35f;
    };
    const struct {
        float red, green, blue;
    } tint{lighter(ballTint.red), lighter(ballTint.green), lighter(ballTint.blue)};
    const ZoVector leg = end_ - start_;
    const float length = leg.Length();
    const float radius = static_cast<float>(GameValues().BubbleRadius);
    if (length <= radius) {
        return;
    }
    const ZoVector step = leg / length;
    // From just outside the waiting ball to just short of where the line ends; fainter further away.
    const float last = endsInCell_ ? length - radius : length;
    for (float at = radius + kDotSpacing * 0.5f; at <= last; at += kDotSpacing) {
        const float fade = 1.0f - 0.45f * at / length;
        dot_->position = start_ + step * at;
        dot_->SetColour(tint.red, tint.green, tint.blue, 235.0f * fade);
        dot_->Draw();
    }
    if (endsInCell_) {
        ring_->position = end_;
        ring_->SetColour(tint.red, tint.green, tint.blue, 210.0f);
        ring_->Draw();
    }
}
