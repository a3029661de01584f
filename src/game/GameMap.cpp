#include "GameMap.h"

#include "GameGeometry.h"
#include "GameSprites.h"
#include "Shooter.h"
#include "ZoRandom.h"
#include "ZoResourceManager.h"
#include "ZoSpriteLayer.h"
#include "ZoSysConfig.h"
#include "ZoTextTree.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kScreenBottom = 600.0f;
constexpr float kMarkerPositions[GameSprites::kMoveMarkers][2] = {{554.0f, 560.0f}, {577.0f, 552.0f},
                                                                  {603.0f, 543.0f}, {626.0f, 545.0f},
                                                                  {646.0f, 536.0f}, {669.0f, 540.0f}};

std::int32_t ClampGridSize(std::int32_t value) {
    return std::clamp<std::int32_t>(value, 0, kMaxGridCells);
}

bool IsOddRow(std::int32_t y) {
    return y % 2 != 0;
}

} // namespace

GameMap::GameMap() {
    ResetColours();
    ResetCounters();
    ZoFileBlock block;
    const std::int32_t size = ZoResourceManager::Instance().GetFile(kMapFile, block);
    ZoTextTree tree;
    tree.LoadMemory(size > 0 ? block.get() : nullptr, size > 0 ? size : -1);
    GameGlobals& values = GameValues();
    // The grid holds 20 x 20 cells: a board file asking for more is cut down rather than overrun.
    values.xMax = ClampGridSize(tree.GetInt("xMax", 0));
    values.yMax = ClampGridSize(tree.GetInt("yMax", 0));
    values.BubbleRadius = std::max<std::int32_t>(0, tree.GetInt("BubbleRadius", 0));
    xPlayerPos = tree.GetInt("xPlayerPos", 0);
    yPlayerPos = tree.GetInt("yPlayerPos", 0);
}

GameMap::~GameMap() = default;

// ---- geometry ----

ZoVector GameMap::CellToPixel(double x, double y) const {
    const GameGlobals& values = GameValues();
    const std::int32_t radius = values.BubbleRadius;
    const std::int32_t remainder = TruncateDouble(y) % 2; // a negative row counts as odd
    double x0 = (804.0 - static_cast<double>(values.xMax) * 2.0 * radius) * 0.5 + radius / 2;
    if (remainder != 0) {
        x0 += radius;
    }
    return ZoVector(static_cast<float>(x0 + 2.0 * radius * x),
                    static_cast<float>(1.5 * radius + 20.0 + 2.0 * radius * y), 0.0f);
}

float GameMap::WellFloor() const {
    const GameGlobals& values = GameValues();
    return CellToPixel(0, values.yMax - 1).y + 2.5f * static_cast<float>(values.BubbleRadius);
}

void GameMap::ComputeWalls() const {
    GameGlobals& values = GameValues();
    values.LeftWallX = TruncateDouble(CellToPixel(0, 0).x);
    values.CeilingY = TruncateDouble(CellToPixel(0, 0).y);
    values.RightWallX =
        TruncateDouble(CellToPixel(values.xMax, 0).x - static_cast<float>(values.BubbleRadius));
}

ZoCell GameMap::PixelToFreeCell(const ZoVector& point) const {
    const GameGlobals& values = GameValues();
    const float radius = static_cast<float>(values.BubbleRadius);
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            if (grid_[x][y] != nullptr) {
                continue;
            }
            const ZoVector c = CellToPixel(x, y);
            if (c.x - radius <= point.x && point.x <= c.x + radius && c.y - radius <= point.y &&
                point.y <= c.y + radius) {
                return {x, y};
            }
        }
    }
    return kNoCell;
}

ZoCell GameMap::PixelToCell(const ZoVector& point) const {
    const GameGlobals& values = GameValues();
    const float radius = static_cast<float>(values.BubbleRadius);
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            const ZoVector c = CellToPixel(x, y);
            if (c.x - radius <= point.x && point.x <= c.x + radius && c.y - radius <= point.y &&
                point.y <= c.y + radius) {
                return {x, y};
            }
        }
    }
    return kNoCell;
}

bool GameMap::IsOnBoard(std::int32_t x, std::int32_t y) const {
    const GameGlobals& values = GameValues();
    return x >= 0 && y >= 0 && x < values.xMax && y < values.yMax;
}

bool GameMap::IsRowEmpty(std::int32_t row) const {
    for (std::int32_t x = 0; x < GameValues().xMax; ++x) {
        if (Bubble(x, row) != nullptr) {
            return false;
        }
    }
    return true;
}

bool GameMap::IsBoardEmpty() const {
    return CountBubbles() == 0;
}

std::array<ZoCell, 6> GameMap::Neighbours(std::int32_t x, std::int32_t y) {
    if (IsOddRow(y)) {
        return {ZoCell{x - 1, y},     ZoCell{x + 1, y}, ZoCell{x, y - 1},
                ZoCell{x + 1, y - 1}, ZoCell{x, y + 1}, ZoCell{x + 1, y + 1}};
    }
    return {ZoCell{x - 1, y}, ZoCell{x + 1, y},     ZoCell{x - 1, y - 1},
            ZoCell{x, y - 1}, ZoCell{x - 1, y + 1}, ZoCell{x, y + 1}};
}

// ---- grid ----

BaseBubble* GameMap::Bubble(std::int32_t x, std::int32_t y) const {
    return IsOnBoard(x, y) ? grid_[x][y].get() : nullptr;
}

bool GameMap::SetBubble(std::int32_t x, std::int32_t y, std::unique_ptr<BaseBubble> bubble) {
    if (!IsOnBoard(x, y)) {
        return false;
    }
    grid_[x][y] = std::move(bubble);
    return true;
}

std::unique_ptr<BaseBubble> GameMap::TakeBubble(std::int32_t x, std::int32_t y) {
    return IsOnBoard(x, y) ? std::move(grid_[x][y]) : nullptr;
}

std::int32_t GameMap::CountBubbles() const {
    std::int32_t count = 0;
    for (std::int32_t x = 0; x < GameValues().xMax; ++x) {
        for (std::int32_t y = 0; y < GameValues().yMax; ++y) {
            count += grid_[x][y] != nullptr ? 1 : 0;
        }
    }
    return count;
}

BaseBubble* GameMap::NewRowBubble(std::int32_t x) const {
    return x >= 0 && x < kMaxGridCells ? newRow_[x].get() : nullptr;
}

void GameMap::AddToLayer(BaseBubble& bubble) {
    if (layer_ != nullptr) {
        bubble.EnterLayer(layer_);
    }
}

void GameMap::LoadBackground(const std::string& name) {
    background_ = std::make_unique<ZoClip>();
    background_->Load(name, false);
    background_->Animation().Setup(1, AnimNone, 1, 1);
    background_->SetPosition(400.0f, 300.0f);
}

// ---- game start ----

void GameMap::Reset(bool fill) {
    falling_.clear();
    effects_.Clear();
    TripleBonus = 0;
    LongestCombo = 0;
    introStarted = false;
    linePending = false;
    nextBubble_.reset();
    // A half-dropped row of an abandoned game must not come back later.
    for (auto& bubble : newRow_) {
        bubble.reset();
    }
    ResetColours();
    ResetCounters();
    score = 0;
    for (auto& column : grid_) {
        for (auto& cell : column) {
            cell.reset();
        }
    }
    if (fill) {
        const GameGlobals& values = GameValues();
        for (std::int32_t x = 0; x < values.xMax; ++x) {
            for (std::int32_t y = 0; y < values.yMax / 2; ++y) {
                grid_[x][y] = CreateBubble(x, y);
            }
        }
    }
    MapState = kIntro;
    group_.clear();
    path_.clear();
}

std::unique_ptr<BaseBubble> GameMap::CreateBubble(double x, double y, std::int32_t /*unused*/) {
    std::int32_t colour = ChooseColour();
    if (colour < 0 || colour >= kBubbleColours) {
        // Only an empty colour set gets here; any colour is better than a ball nobody can draw.
        colour = SystemRandom().Below(kBubbleColours);
    }
    std::unique_ptr<BaseBubble> bubble = GameSprites::Instance().MakeBubble(colour);
    bubble->position = CellToPixel(x, y);
    bubble->restPosition = bubble->position;
    bubble->velocity = ZoVector();
    AddToLayer(*bubble);
    return bubble;
}

void GameMap::ResetCounters() {
    static constexpr std::int32_t kStartValues[3][3] = {{6, 6, 5}, {5, 5, 4}, {4, 4, 3}};
    const std::int32_t level = ZoSysConfig::Instance().difficulty;
    if (level >= 0 && level < 3) {
        startMoves_ = kStartValues[level][0];
        beginMoves_ = kStartValues[level][1];
        nextBeginMoves_ = kStartValues[level][2];
    }
    linesPerEvent_ = 1;
    linesAdded_ = 0;
    NumMovesLeft = startMoves_;
    NumBeginMoves = beginMoves_;
    NextNumBeginMoves = nextBeginMoves_;
    NumAddLines = linesPerEvent_;
    NumAddedeLines = linesAdded_;
}

// ---- colours ----

void GameMap::ResetColours() {
    colours_.clear();
    for (std::int32_t i = 0; i < kBubbleColours; ++i) {
        colours_[i] = true;
    }
}

std::int32_t GameMap::ChooseColour() {
    const std::int32_t count = static_cast<std::int32_t>(colours_.size());
    const std::int32_t r = SystemRandom().Below(count + 1);
    // Deliberate: r = 0 and r = 1 both give the first colour, so the smallest colour comes up twice as often.
    std::int32_t k = 0;
    for (const auto& entry : colours_) {
        ++k;
        if (k >= r) {
            return entry.first;
        }
    }
    return 16;
}

void GameMap::RefreshColours() {
    const std::size_t oldCount = colours_.size();
    colours_.clear();
    const GameGlobals& values = GameValues();
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            const BaseBubble* bubble = grid_[x][y].get();
            if (bubble != nullptr && bubble->BubbleID >= 0 && bubble->BubbleID < kBubbleColours) {
                colours_[bubble->BubbleID] = true;
            }
        }
    }
    if (colours_.size() != oldCount && MapState != kIntro) {
        PlayGameSound(GameSound::ColorRemove);
        --NumBeginMoves;
        ++NumAddLines;
        linePending = true;
    }
}

void GameMap::LoadShooter() {
    RefreshColours();
    if (shooter_ == nullptr) {
        return;
    }
    if (colours_.empty()) {
        shooter_->SetCurrentBubble(nullptr);
        nextBubble_.reset();
        return;
    }
    if (nextBubble_ == nullptr || !HasColour(nextBubble_->BubbleID)) {
        nextBubble_ = GameSprites::Instance().MakeBubble(ChooseColour());
    }
    nextBubble_->position = ZoVector(static_cast<float>(xPlayerPos), static_cast<float>(yPlayerPos), 0.0f);
    nextBubble_->velocity = ZoVector();
    shooter_->SetCurrentBubble(std::move(nextBubble_));
    nextBubble_ = GameSprites::Instance().MakeBubble(ChooseColour());
    nextBubble_->Restart();
    shooter_->flying = false;
}

// ---- flight ----

void GameMap::ComputePath() {
    path_.clear();
    pathParameter_ = 0.0;
    segmentSpeedSet_ = false;
    // A path that finds no landing must not reuse the last shot's cell, which is taken by now.
    targetCell_ = kNoCell;
    BaseBubble* ball = shooter_ != nullptr ? shooter_->CurrentBubble() : nullptr;
    if (ball == nullptr) {
        return;
    }
    TracePath(ball->position, shooter_->AimDirection());
}

GameMap::ShotPlan GameMap::PlanShot(const ZoVector& start, const ZoVector& direction) {
    // The flight's own tracing on the map's working values, which are put back afterwards.
    std::vector<ZoVector> path;
    path.swap(path_);
    const ZoCell cell = targetCell_;
    const ZoVector hit = hitPosition_;
    targetCell_ = kNoCell;
    TracePath(start, direction);
    ShotPlan plan{std::move(path_), targetCell_};
    path_.swap(path);
    targetCell_ = cell;
    hitPosition_ = hit;
    return plan;
}

void GameMap::TracePath(const ZoVector& start, const ZoVector& direction) {
    const GameGlobals& values = GameValues();
    const float left = static_cast<float>(values.LeftWallX);
    const float right = static_cast<float>(values.RightWallX);
    const float ceiling = static_cast<float>(values.CeilingY);
    path_.push_back(start);
    ZoVector p(start.x, start.y, 0.0f);
    ZoVector d(direction.x, direction.y, 0.0f);
    for (std::int32_t bounces = 0;;) {
        const ZoVector far = p + d * 1024.0f;
        ZoVector leftPoint;
        ZoVector rightPoint;
        ZoVector ceilingPoint;
        // A wall only counts when the ball moves towards it: a ball that just bounced sits on the wall
        // and would otherwise meet it again at its own starting point.
        const bool leftMet =
            d.x < 0.0f && IntersectSegments(p, far, {left, ceiling}, {left, kScreenBottom}, leftPoint);
        const bool rightMet =
            d.x > 0.0f && IntersectSegments(p, far, {right, ceiling}, {right, kScreenBottom}, rightPoint);
        const bool ceilingMet = IntersectSegments(p, far, {left, ceiling}, {right, ceiling}, ceilingPoint);
        ZoVector q = p;
        if (ceilingMet) {
            q = ceilingPoint;
        }
        if (leftMet) {
            q = leftPoint;
        }
        if (rightMet) {
            q = rightPoint;
        }
        q.x = std::clamp(q.x, left, right);
        if (BoardHit(p, d, q)) {
            FinishPath();
            return;
        }
        if (ceilingMet) {
            targetCell_ = PixelToFreeCell(q);
            if (targetCell_ != kNoCell) {
                path_.push_back(CellToPixel(targetCell_.x, targetCell_.y));
                FinishPath();
            }
            return;
        }
        if (!leftMet && !rightMet) {
            return; // nothing ahead at all: the ball stays where it is
        }
        d.x = -d.x;
        path_.push_back(q);
        p = q;
        ++bounces;
        if (bounces > kMaxBounces) {
            return;
        }
    }
}

bool GameMap::BoardHit(const ZoVector& start, const ZoVector& direction, const ZoVector& end) {
    const GameGlobals& values = GameValues();
    const float radius = static_cast<float>(values.BubbleRadius);
    const float reach = (radius * 0.25f + 0.025f) + radius;
    const float length = direction.Length();
    if (length <= 0.0f) {
        return false;
    }
    const ZoVector origin = !path_.empty() ? path_.back()
                            : (shooter_ != nullptr && shooter_->CurrentBubble() != nullptr)
                                ? shooter_->CurrentBubble()->position
                                : start;
    const BaseBubble* struck = nullptr;
    float nearest = 8192.0f;
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            const BaseBubble* bubble = grid_[x][y].get();
            if (bubble == nullptr) {
                continue;
            }
            const ZoVector& c = bubble->position;
            const float distance =
                std::fabs(direction.x * (c.y - start.y) - direction.y * (c.x - start.x)) / length;
            if (distance > reach) {
                continue;
            }
            const float fromOrigin = (origin - c).Length();
            if (fromOrigin < nearest) {
                nearest = fromOrigin;
                struck = bubble;
            }
        }
    }
    if (struck == nullptr) {
        return false;
    }
    hitPosition_ = struck->position;
    if ((start - end).Length() >= (start - struck->position).Length() - 2.0f * radius) {
        targetCell_ = kNoCell;
        FindLanding(start, direction, *struck);
        return true;
    }
    return false;
}

void GameMap::FindLanding(const ZoVector& start, const ZoVector& direction, const BaseBubble& struck) {
    const float radius = static_cast<float>(GameValues().BubbleRadius);
    const ZoVector target = struck.position;
    const float limit = (start - target).Length();
    ZoVector current = start;
    for (std::int32_t step = 0; step < 1024; ++step) {
        current += direction;
        const ZoCell cell = PixelToFreeCell(current);
        if (cell != kNoCell) {
            targetCell_ = cell;
        }
        if ((target - current).Length() <= radius + 0.25f * radius) {
            if (cell != kNoCell) {
                path_.push_back(CellToPixel(cell.x, cell.y));
                return;
            }
            if (targetCell_ != kNoCell) {
                path_.push_back(CellToPixel(targetCell_.x, targetCell_.y));
                return;
            }
            const ZoCell hit = PixelToCell(hitPosition_);
            targetCell_ = ZoCell{hit.x, hit.y + 1};
            path_.push_back(CellToPixel(targetCell_.x, targetCell_.y));
            return;
        }
        if ((start - current).Length() > limit) {
            path_.push_back(current);
            return;
        }
    }
    path_.push_back(current);
}

void GameMap::FinishPath() {
    if (targetCell_ == kNoCell || path_.empty()) {
        return; // no cell to end in: the path stays as traced
    }
    const std::int32_t radius = GameValues().BubbleRadius;
    const ZoVector cellCentre = CellToPixel(targetCell_.x, targetCell_.y);
    if (path_.size() == 2) {
        path_[1] = cellCentre;
        return;
    }
    if (path_.size() >= 3) {
        const ZoVector last = path_[path_.size() - 1];
        const ZoVector beforeLast = path_[path_.size() - 2];
        // A last leg shorter than 1.5 R is dropped with its bounce point: the ball goes straight in.
        if (TruncateDouble((last - beforeLast).Length()) < radius + radius / 2) {
            path_.pop_back();
            path_.pop_back();
            path_.push_back(cellCentre);
        }
    }
    if ((path_.back() - cellCentre).Length() > 4.0f) {
        path_.back() = cellCentre;
    }
}

bool GameMap::StepShot(std::int32_t elapsed) {
    BaseBubble* ball = shooter_ != nullptr ? shooter_->CurrentBubble() : nullptr;
    if (ball == nullptr || path_.size() < 2) {
        path_.clear();
        return true; // nothing left to fly
    }
    const GameGlobals& values = GameValues();
    const float radius = static_cast<float>(values.BubbleRadius);
    if (!segmentSpeedSet_) {
        const double length = (path_[1] - path_[0]).Length();
        // A leg of no length is done at once instead of dividing by zero.
        segmentSpeed_ = length > 1e-6 ? kShotSpeedFactor / length : 0.0;
        segmentSpeedSet_ = true;
        if (segmentSpeed_ == 0.0) {
            pathParameter_ = 2.0;
        }
    }
    pathParameter_ += static_cast<double>(elapsed) * 0.003 * segmentSpeed_;
    bool segmentDone = false;
    if (pathParameter_ > 1.0) {
        pathParameter_ = 1.0;
        segmentDone = true;
        if (path_.size() != 2) {
            if (std::fabs(path_[1].x - static_cast<float>(values.LeftWallX)) < 1.0625f * radius) {
                PlayGameSound(GameSound::HitWall);
            }
            if (std::fabs(path_[1].x - static_cast<float>(values.RightWallX)) < 1.0625f * radius) {
                PlayGameSound(GameSound::HitWall);
            }
        }
    }
    ball->previousPosition = ball->position;
    ball->position = path_[0] + (path_[1] - path_[0]) * static_cast<float>(pathParameter_);
    if (segmentDone) {
        segmentSpeedSet_ = false;
        pathParameter_ = 0.0;
        if (path_.size() == 2) {
            return true;
        }
        path_.erase(path_.begin());
    }
    return false;
}

bool GameMap::UpdateFlight(std::int32_t elapsed) {
    BaseBubble* ball = shooter_->CurrentBubble();
    if (ball == nullptr) {
        shooter_->flying = false;
        return true;
    }
    const GameGlobals& values = GameValues();
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            BaseBubble* bubble = grid_[x][y].get();
            if (bubble == nullptr) {
                continue;
            }
            const float distance = (bubble->position - ball->position).Length();
            const double push = distance < 40.0f   ? 16.0
                                : distance < 50.0f ? 12.0
                                : distance < 60.0f ? 8.0
                                                   : 0.0;
            if (push > 0.0) {
                bubble->Push(ball->position, push);
            }
        }
    }
    if (StepShot(elapsed)) {
        return Arrive();
    }
    return true;
}

bool GameMap::Arrive() {
    BaseBubble* ball = shooter_->CurrentBubble();
    ball->restPosition = ball->position;
    ball->Push(ZoVector(0.0f, 0.0f, 0.0f), 8.0);
    ball->direction = (ball->position - ball->previousPosition).Normalized();
    PlayGameSound(GameSound::StopBall);
    // A cell off the board or already taken would lose a ball: such a landing counts as none.
    const ZoCell cell = targetCell_;
    ++landings;
    landedCell = kNoCell;
    landedBurst = 0;
    if (IsOnBoard(cell.x, cell.y) && grid_[cell.x][cell.y] == nullptr) {
        landedCell = cell;
        grid_[cell.x][cell.y] = shooter_->TakeCurrentBubble();
        grid_[cell.x][cell.y]->position = CellToPixel(cell.x, cell.y);
        OnBubbleAttached(cell.x, cell.y, grid_[cell.x][cell.y]->BubbleID);
        RemoveFloating();
        if (IsBoardEmpty()) {
            shooter_->Reset();
            MapState = kBoardCleared;
            GameValues().GameState = 4;
            return false;
        }
        LoadShooter();
    } else {
        // The ball goes back into the launcher, which draws it itself.
        ball->LeaveLayer();
    }
    RemoveFloating();
    shooter_->flying = false;
    return true;
}

// ---- matching, falling, scoring ----

void GameMap::FillWorkGrid(bool colours) {
    for (auto& column : workGrid_) {
        column.fill(-1);
    }
    const GameGlobals& values = GameValues();
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            const BaseBubble* bubble = grid_[x][y].get();
            if (bubble != nullptr) {
                workGrid_[x][y] = colours ? bubble->BubbleID : 1;
            }
        }
    }
}

void GameMap::OnBubbleAttached(std::int32_t x, std::int32_t y, std::int32_t bubbleId) {
    group_.clear();
    FillWorkGrid(true);
    FindGroup(x, y, bubbleId);
    if (group_.size() > 2) {
        landedBurst = static_cast<std::int32_t>(group_.size());
        ++LongestCombo;
        if (LongestCombo >= 3) {
            TripleBonus += 25;
        }
        RemoveGroup();
        PlayGameSound(GameSound::BallDelete);
        AfterBurst();
        CheckGameOver();
    } else {
        LongestCombo = 0;
        OnMiss();
        CheckGameOver();
    }
}

void GameMap::FindGroup(std::int32_t x, std::int32_t y, std::int32_t bubbleId) {
    ScanGroup(x, y, bubbleId);
}

void GameMap::ScanGroup(std::int32_t x, std::int32_t y, std::int32_t bubbleId) {
    const GameGlobals& values = GameValues();
    for (std::int32_t column = x; column >= 0; --column) {
        if (column >= values.xMax || y < 0 || y >= values.yMax) {
            return;
        }
        std::int32_t& value = workGrid_[column][y];
        if (value == -1 || value != bubbleId) {
            return;
        }
        value = -1;
        group_.push_back({column, y});
        if (IsOddRow(y)) {
            ScanGroup(column, y + 1, bubbleId);
            ScanGroup(column + 1, y + 1, bubbleId);
            ScanGroup(column, y - 1, bubbleId);
            ScanGroup(column + 1, y - 1, bubbleId);
        } else {
            ScanGroup(column, y + 1, bubbleId);
            ScanGroup(column - 1, y + 1, bubbleId);
            ScanGroup(column, y - 1, bubbleId);
            ScanGroup(column - 1, y - 1, bubbleId);
        }
        ScanGroup(column + 1, y, bubbleId);
    }
}

void GameMap::FindConnected(std::int32_t x, std::int32_t y) {
    ScanConnected(x, y);
}

void GameMap::ScanConnected(std::int32_t x, std::int32_t y) {
    const GameGlobals& values = GameValues();
    for (std::int32_t column = x; column >= 0; --column) {
        if (column >= values.xMax || y >= values.yMax) {
            return;
        }
        if (y < 0) {
            floating_ = false; // the component reaches above row 0: it hangs from the ceiling
            return;
        }
        std::int32_t& value = workGrid_[column][y];
        if (value == -1) {
            return;
        }
        value = -1;
        component_.push_back({column, y});
        if (IsOddRow(y)) {
            ScanConnected(column, y + 1);
            ScanConnected(column + 1, y + 1);
            ScanConnected(column, y - 1);
            ScanConnected(column + 1, y - 1);
        } else {
            ScanConnected(column, y + 1);
            ScanConnected(column - 1, y + 1);
            ScanConnected(column, y - 1);
            ScanConnected(column - 1, y - 1);
        }
        ScanConnected(column + 1, y);
    }
}

void GameMap::RemoveGroup() {
    const std::int32_t before = score;
    AddScore(static_cast<std::int32_t>(group_.size()));
    if (!group_.empty()) {
        ZoVector middle;
        for (const ZoCell& cell : group_) {
            middle += CellToPixel(cell.x, cell.y);
        }
        effects_.AddPoints(middle / static_cast<float>(group_.size()), score - before);
    }
    for (const ZoCell& cell : group_) {
        std::unique_ptr<BaseBubble> bubble = TakeBubble(cell.x, cell.y);
        if (bubble != nullptr) {
            bubble->Pop(*this);
            bubble->LeaveLayer();
        }
    }
    group_.clear();
    RemoveFloating();
}

void GameMap::AddScore(std::int32_t count) {
    std::int32_t step = 0;
    std::int32_t total = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (i % 3 == 0) {
            step += 10;
        }
        total += step;
    }
    score += total;
}

void GameMap::RemoveFloating() {
    RemoveFloatingImpl(false);
}

void GameMap::RemoveFloatingImpl(bool mirrorRowOne) {
    component_.clear();
    FillWorkGrid(false);
    const GameGlobals& values = GameValues();
    if (mirrorRowOne && values.yMax > 1) {
        for (std::int32_t x = 0; x < values.xMax; ++x) {
            if (grid_[x][1] != nullptr) {
                workGrid_[x][0] = 1;
            }
        }
    }
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            if (workGrid_[x][y] == -1) {
                continue;
            }
            component_.clear();
            floating_ = true;
            FindConnected(x, y);
            removalClock_ = -kRemovalStep;
            if (!floating_) {
                continue;
            }
            for (const ZoCell& cell : component_) {
                std::unique_ptr<BaseBubble> bubble = std::move(grid_[cell.x][cell.y]);
                if (bubble == nullptr) {
                    continue;
                }
                const float speed = static_cast<float>((SystemRandom().Next() / 32767.0) * 0.045 + 0.09);
                bubble->velocity = ZoVector(0.0f, speed, 0.0f);
                effects_.StartFall(*bubble, static_cast<float>(values.LeftWallX + values.RightWallX) / 2.0f);
                falling_.push_back(std::move(bubble));
                ++ballsLoosened;
            }
        }
    }
}

void GameMap::UpdateFalling(std::int32_t elapsed) {
    removalClock_ += elapsed;
    // Seen dropping to the bottom edge, each ball gets there as its turn below comes.
    effects_.Update(elapsed, falling_, removalClock_, kRemovalStep, WellFloor());
    if (removalClock_ > kRemovalStep && !falling_.empty()) {
        removalClock_ = 0;
        std::unique_ptr<BaseBubble> bubble = std::move(falling_.front());
        falling_.erase(falling_.begin());
        GameGlobals& values = GameValues();
        values.fallSoundToggle = !values.fallSoundToggle;
        if (values.fallSoundToggle) {
            PlayGameSound(GameSound::BallDelete);
        }
        bubble->LeaveLayer();
        bubble->Burst();
        AddScore(5);
    }
    if (falling_.empty()) {
        removalClock_ = kRemovalStep;
        // A line still due when the game ended never starts.
        if (linePending && GameValues().GameState == 0) {
            linePending = false;
            MapState = kLineStart;
        }
    }
}

bool GameMap::CheckGameOver() {
    if (!IsRowEmpty(GameValues().yMax - 1)) {
        GameValues().GameState = 2;
        MapState = kReady;
        return true;
    }
    return false;
}

void GameMap::OnMiss() {
    --NumMovesLeft;
    if (NumMovesLeft < 0) {
        StartLineDrop();
    }
}

// ---- line drops ----

void GameMap::StartLineDrop() {
    MapState = kLineStart;
    if (NextNumBeginMoves == 0) {
        NextNumBeginMoves = NumBeginMoves;
    }
    NumMovesLeft = NextNumBeginMoves;
    --NextNumBeginMoves;
}

void GameMap::BeginAddLine() {
    lineDropProgress_ = 0.0;
    const GameGlobals& values = GameValues();
    for (std::int32_t y = values.yMax - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < values.xMax; ++x) {
            BaseBubble* bubble = grid_[x][y].get();
            if (bubble != nullptr) {
                bubble->previousPosition = bubble->position;
                bubble->dropTarget = CellToPixel(x, y + 1);
            }
        }
    }
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        newRow_[x] = CreateBubble(x, 0);
    }
}

bool GameMap::StepAddLine(std::int32_t elapsed) {
    lineDropProgress_ += static_cast<double>(elapsed) * 0.0025;
    bool done = false;
    if (lineDropProgress_ > 1.0) {
        lineDropProgress_ = 1.0;
        done = true;
    }
    const GameGlobals& values = GameValues();
    const float progress = static_cast<float>(lineDropProgress_);
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            BaseBubble* bubble = grid_[x][y].get();
            if (bubble == nullptr) {
                continue;
            }
            bubble->position =
                bubble->previousPosition + (bubble->dropTarget - bubble->previousPosition) * progress;
            bubble->restPosition = bubble->position;
            bubble->jiggleBase = bubble->position;
            bubble->position += bubble->jiggleOffset;
        }
    }
    if (lineDropProgress_ > 0.5) {
        for (std::int32_t x = 0; x < values.xMax; ++x) {
            BaseBubble* bubble = newRow_[x].get();
            if (bubble != nullptr) {
                bubble->previousPosition = bubble->position;
                bubble->SetFrame(
                    TruncateDouble((bubble->Animation().frameCount - 1) * (lineDropProgress_ - 0.5) * 2.0));
            }
        }
    }
    if (!done) {
        return false;
    }
    CheckGameOver();
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        // A ball still in the last row is pushed off the board (the game is lost by now).
        for (std::int32_t y = values.yMax - 1; y >= 1; --y) {
            grid_[x][y] = std::move(grid_[x][y - 1]);
        }
    }
    // Row 0 is empty until the new row goes in; until then the moved top row still hangs from the ceiling.
    RemoveFloatingImpl(true);
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        grid_[x][0].reset();
    }
    return true;
}

void GameMap::InsertNewRow() {
    for (std::int32_t x = 0; x < GameValues().xMax; ++x) {
        grid_[x][0] = std::move(newRow_[x]);
    }
}

bool GameMap::PlayIntro(std::int32_t elapsed) {
    linePending = false;
    const GameGlobals& values = GameValues();
    if (!introStarted) {
        introColours_.clear();
        for (std::int32_t colour = 0; colour < kBubbleColours; ++colour) {
            bool present = false;
            for (std::int32_t x = 0; x < values.xMax && !present; ++x) {
                for (std::int32_t y = 0; y < values.yMax && !present; ++y) {
                    present = grid_[x][y] != nullptr && grid_[x][y]->BubbleID == colour;
                }
            }
            if (present) {
                introColours_.push_back(colour);
            }
        }
        const std::int32_t count = static_cast<std::int32_t>(introColours_.size());
        for (std::int32_t i = 0; i < count; ++i) {
            std::swap(introColours_[i], introColours_[i + SystemRandom().Below(count - i)]);
        }
        introStarted = true;
    }
    if (introColours_.empty()) {
        return true;
    }
    const std::int32_t colour = introColours_.back();
    const std::int32_t step = TruncateDouble(elapsed * 2.5);
    bool allFinished = true;
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            BaseBubble* bubble = grid_[x][y].get();
            if (bubble != nullptr && bubble->BubbleID == colour) {
                bubble->Update(step);
                allFinished = allFinished && bubble->Animation().finished;
            }
        }
    }
    if (allFinished) {
        PlayGameSound(GameSound::LoadColorEnd);
        introColours_.pop_back();
    }
    return introColours_.empty();
}

// ---- the frame ----

void GameMap::Update(std::int32_t elapsed) {
    GameGlobals& values = GameValues();
    if (MapState == kIntro) {
        if (nextBubble_ == nullptr) {
            RefreshColours();
            if (!colours_.empty()) {
                nextBubble_ = GameSprites::Instance().MakeBubble(ChooseColour());
            }
            LoadShooter();
        }
        if (PlayIntro(elapsed)) {
            MapState = kReady;
        }
    }
    if (MapState == kIntroAfterLoad && PlayIntro(elapsed)) {
        MapState = kReady;
        RefreshColours();
    }
    if (MapState == kReady && shooter_ != nullptr && shooter_->flying) {
        if (!UpdateFlight(elapsed)) {
            return; // the board is cleared
        }
    }
    UpdateFalling(elapsed);
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            if (grid_[x][y] != nullptr) {
                grid_[x][y]->UpdateJiggle(elapsed, *this);
            }
        }
    }
    // New rows come only while the game runs: a drop still pending when the game ended must not end it again.
    if (values.GameState != 0) {
        return;
    }
    // Successive steps, not alternatives: a drop that starts takes its first step in the same frame, and the
    // new row goes in on the frame the drop finishes, so a line takes its 400 ms and no frame sees row 0 empty.
    if (MapState == kLineStart) {
        PlayGameSound(GameSound::LineFall);
        ElapsedTime = 0;
        BeginAddLine();
        MapState = kLinesDropping;
    }
    if (MapState == kLinesDropping) {
        ElapsedTime = 0;
        if (StepAddLine(elapsed)) {
            MapState = kInsertRow;
        }
        CheckGameOver();
    }
    if (MapState == kInsertRow) {
        ElapsedTime = 0;
        InsertNewRow();
        MapState = kReady;
        RemoveFloating();
        CheckGameOver();
        ++NumAddedeLines;
        if (NumAddedeLines < NumAddLines) {
            MapState = kLineStart;
            return;
        }
        NumAddedeLines = 0;
    }
}

void GameMap::Draw() {
    if (layer_ != nullptr) {
        layer_->SetOverlay(background_.get());
        layer_->DrawAll();
    }
    effects_.Draw();
    if (shooter_ == nullptr) {
        return;
    }
    shooter_->DrawShooter();
    if (nextBubble_ != nullptr && shooter_->CurrentBubble() != nullptr) {
        // Six places only: a larger count (an edited saved game) shows six, a negative one (hard games) none.
        const std::int32_t markers = std::min(NumMovesLeft, GameSprites::kMoveMarkers);
        for (std::int32_t i = 0; i < markers; ++i) {
            ZoClip* marker = GameSprites::Instance().MoveMarker(i);
            if (marker != nullptr) {
                marker->SetPosition(kMarkerPositions[i][0], kMarkerPositions[i][1]);
                marker->Draw();
            }
        }
    }
}
