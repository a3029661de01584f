#include "AutoPlayer.h"

#include "GameGlobals.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::int32_t kBurstWorth = 100;
constexpr std::int32_t kFallWorth = 200;
constexpr std::int32_t kTouchWorth = 10;

using Grid = std::vector<std::vector<std::int32_t>>; // colour per cell, -1 empty

Grid ColoursOf(const GameMap& map) {
    const GameGlobals& values = GameValues();
    Grid grid(static_cast<std::size_t>(values.xMax),
              std::vector<std::int32_t>(static_cast<std::size_t>(values.yMax), -1));
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            if (const BaseBubble* ball = map.Bubble(x, y)) {
                grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = ball->BubbleID;
            }
        }
    }
    return grid;
}

std::int32_t& At(Grid& grid, const ZoCell& cell) {
    return grid[static_cast<std::size_t>(cell.x)][static_cast<std::size_t>(cell.y)];
}

bool Inside(const Grid& grid, const ZoCell& cell) {
    return cell.x >= 0 && cell.y >= 0 && cell.x < static_cast<std::int32_t>(grid.size()) &&
           cell.y < static_cast<std::int32_t>(grid.front().size());
}

// The cells reachable from start through neighbours that pass the test.
template <typename Test> std::vector<ZoCell> Spread(Grid& grid, std::vector<ZoCell> start, Test passes) {
    std::vector<std::vector<bool>> seen(grid.size(), std::vector<bool>(grid.front().size(), false));
    std::vector<ZoCell> reached;
    while (!start.empty()) {
        const ZoCell cell = start.back();
        start.pop_back();
        if (!Inside(grid, cell) || seen[static_cast<std::size_t>(cell.x)][static_cast<std::size_t>(cell.y)] ||
            !passes(At(grid, cell))) {
            continue;
        }
        seen[static_cast<std::size_t>(cell.x)][static_cast<std::size_t>(cell.y)] = true;
        reached.push_back(cell);
        for (const ZoCell& next : GameMap::Neighbours(cell.x, cell.y)) {
            start.push_back(next);
        }
    }
    return reached;
}

} // namespace

AutoPlayer::AutoPlayer(bool quick, std::uint32_t seed, int careless) : quick_(quick), careless_(careless) {
    random_.Seed(seed);
}

ZoVector AutoPlayer::Towards(const Shooter& shooter, int n) {
    // From just above level on the left round to just above level on the right.
    const float angle = -Shooter::kPi + Shooter::kLowestTurn +
                        (Shooter::kPi - 2.0f * Shooter::kLowestTurn) * static_cast<float>(n) /
                            static_cast<float>(kDirections - 1);
    return shooter.HomePosition() + ZoVector(std::cos(angle), std::sin(angle), 0.0f) * 200.0f;
}

std::int32_t AutoPlayer::Worth(const GameMap& map, const ZoCell& cell, std::int32_t colour) {
    const GameGlobals& values = GameValues();
    if (!map.IsOnBoard(cell.x, cell.y) || map.Bubble(cell.x, cell.y) != nullptr) {
        return -100000;
    }
    Grid grid = ColoursOf(map);
    At(grid, cell) = colour;
    const std::vector<ZoCell> group = Spread(grid, {cell}, [colour](std::int32_t c) { return c == colour; });
    // A ball low on the board brings the end nearer.
    const std::int32_t depth = cell.y >= values.yMax - 2 ? -5000 : -cell.y * 3;
    if (group.size() < 3) {
        return depth + kTouchWorth * static_cast<std::int32_t>(group.size() - 1) - 50;
    }
    std::int32_t balls = 0;
    for (const ZoCell& member : group) {
        At(grid, member) = -1;
    }
    for (const auto& column : grid) {
        balls += static_cast<std::int32_t>(
            std::count_if(column.begin(), column.end(), [](std::int32_t c) { return c >= 0; }));
    }
    std::vector<ZoCell> ceiling;
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        ceiling.push_back({x, 0});
    }
    const auto hanging = Spread(grid, ceiling, [](std::int32_t c) { return c >= 0; });
    const std::int32_t falls = balls - static_cast<std::int32_t>(hanging.size());
    return kBurstWorth * static_cast<std::int32_t>(group.size()) + kFallWorth * falls;
}

void AutoPlayer::Look(GameMap& map, Shooter& shooter, int count) {
    const BaseBubble* current = shooter.CurrentBubble();
    const BaseBubble* next = map.NextBubble();
    for (int i = 0; i < count && looked_ < kDirections; ++i, ++looked_) {
        const ZoVector towards = Towards(shooter, looked_);
        const ZoVector aim = shooter.AimFor(towards.x, towards.y);
        const GameMap::ShotPlan plan = map.PlanShot(shooter.BallPositionFor(aim), aim);
        for (const bool swap : {false, true}) {
            const BaseBubble* ball = swap ? next : current;
            if (ball == nullptr || (swap && next->BubbleID == current->BubbleID)) {
                continue;
            }
            const Choice choice{towards, swap, Worth(map, plan.cell, ball->BubbleID)};
            if (ties_.empty() || choice.worth > best_.worth) {
                best_ = choice;
                ties_.assign(1, choice);
            } else if (choice.worth == best_.worth) {
                ties_.push_back(choice);
            }
        }
    }
    if (looked_ == kDirections && !ties_.empty()) {
        best_ = ties_[static_cast<std::size_t>(random_.Below(static_cast<int>(ties_.size())))];
        if (random_.Below(100) < careless_) {
            best_ = Choice{Towards(shooter, random_.Below(kDirections)), false, 0};
        }
        chosen_ = true;
    }
}

void AutoPlayer::Play(std::int32_t elapsed, GameMap& map, Shooter& shooter) {
    if (!shooter.CanShoot()) {
        looked_ = 0;
        chosen_ = false;
        ties_.clear();
        waited_ = 0;
        return;
    }
    if (!chosen_) {
        Look(map, shooter, quick_ ? kDirections : kDirectionsPerFrame);
        if (!chosen_) {
            return;
        }
        if (best_.swap) {
            shooter.TrySwap();
        }
    }
    const ZoVector goal = shooter.AimFor(best_.towards.x, best_.towards.y);
    const ZoVector aim = shooter.AimDirection();
    const float left = std::atan2(goal.y, goal.x) - std::atan2(aim.y, aim.x);
    const float step = kTurnRate * static_cast<float>(elapsed);
    if (!quick_ && std::fabs(left) > step) {
        shooter.Turn(left > 0.0f ? step : -step);
        return;
    }
    shooter.AimAt(best_.towards.x, best_.towards.y);
    waited_ += elapsed;
    if ((quick_ || waited_ >= kSettleTime) && shooter.TryFire()) {
        chosen_ = false;
        looked_ = 0;
        ties_.clear();
        waited_ = 0;
    }
}
