// The board: a grid of balls with its geometry, the flight of a shot, matching, falling, scoring and line
// drops.
#pragma once

#include "BaseBubble.h"
#include "GameEffects.h"
#include "GameGlobals.h"
#include "ZoPoint2D.h"
#include "ZoVector.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class Shooter;
class ZoSpriteLayer;

class GameMap {
public:
    static constexpr const char* kMapFile = "Data/Map.Txt";
    // MapState values.
    static constexpr std::int32_t kReady = 0;
    static constexpr std::int32_t kIntro = 2;
    static constexpr std::int32_t kLineStart = 3;
    static constexpr std::int32_t kLinesDropping = 4;
    static constexpr std::int32_t kInsertRow = 5;
    static constexpr std::int32_t kBoardCleared = 6;
    static constexpr std::int32_t kIntroAfterLoad = 7;
    static constexpr std::int32_t kMaxBounces = 7;
    static constexpr double kShotSpeedFactor = 300.0; // with the 0.003 per ms: 0.9 pixels per ms

    // Reads "Data/Map.Txt" into the shared values; starts with an empty grid in the intro state.
    GameMap();
    virtual ~GameMap();
    GameMap(const GameMap&) = delete;
    GameMap& operator=(const GameMap&) = delete;

    // The map's state machine for one frame.
    virtual void Update(std::int32_t elapsed);
    // The game layer (background first), the launcher with both balls, the move markers.
    virtual void Draw();
    // A new game: empties everything; fill puts balls into the upper half of the rows.
    virtual void Reset(bool fill);
    virtual ZoVector CellToPixel(double x, double y) const;
    // A new ball of a chosen colour at the cell's centre, in the layer; the caller stores it.
    virtual std::unique_ptr<BaseBubble> CreateBubble(double x, double y, std::int32_t unused = 0);
    virtual void LoadShooter();
    virtual void OnBubbleAttached(std::int32_t x, std::int32_t y, std::int32_t bubbleId);
    virtual void RemoveGroup();
    virtual void ResetCounters();
    virtual void ResetColours();
    virtual void RemoveFloating();
    virtual bool PlayIntro(std::int32_t elapsed);
    virtual void AfterBurst() {}
    virtual void OnMiss();

    // Geometry.
    // Sets LeftWallX, CeilingY and RightWallX from this board (the game does it after making a map).
    void ComputeWalls() const;
    // The bottom of the well the balls hang in, half a row below the last row: where falling balls burst.
    float WellFloor() const;
    ZoCell PixelToFreeCell(const ZoVector& point) const;
    ZoCell PixelToCell(const ZoVector& point) const;
    bool IsOnBoard(std::int32_t x, std::int32_t y) const;
    bool IsRowEmpty(std::int32_t row) const;
    bool IsBoardEmpty() const;
    // The six cells that touch (x, y), whether on the board or not.
    static std::array<ZoCell, 6> Neighbours(std::int32_t x, std::int32_t y);

    // The grid. Cells off the board read as empty and refuse a ball.
    BaseBubble* Bubble(std::int32_t x, std::int32_t y) const;
    // Stores the ball (replacing and deleting what was there); false, dropping nothing, off the board.
    bool SetBubble(std::int32_t x, std::int32_t y, std::unique_ptr<BaseBubble> bubble);
    std::unique_ptr<BaseBubble> TakeBubble(std::int32_t x, std::int32_t y);
    std::int32_t CountBubbles() const;

    // Flight.
    struct ShotPlan {
        std::vector<ZoVector> path; // where the ball goes: its start, each bounce, where it stops
        ZoCell cell = kNoCell;      // the cell it enters, kNoCell for none
    };
    // Plans the flight of the launcher's ball along the aim into the map's path and target cell.
    void ComputePath();
    // The flight a ball from start along direction would take now, planned exactly as ComputePath plans
    // it; nothing of the map changes.
    ShotPlan PlanShot(const ZoVector& start, const ZoVector& direction);
    bool BoardHit(const ZoVector& start, const ZoVector& direction, const ZoVector& end);
    void FindLanding(const ZoVector& start, const ZoVector& direction, const BaseBubble& struck);
    bool StepShot(std::int32_t elapsed);
    // The near-miss pushes, the step and the landing of the ball in flight; false when the landing
    // cleared the board (the frame's update ends there).
    bool UpdateFlight(std::int32_t elapsed);

    // Colours.
    std::int32_t ChooseColour();
    void RefreshColours();
    bool HasColour(std::int32_t bubbleId) const { return colours_.count(bubbleId) != 0; }
    const std::map<std::int32_t, bool>& Colours() const { return colours_; }

    // Matching and falling.
    void FindGroup(std::int32_t x, std::int32_t y, std::int32_t bubbleId);
    void FindConnected(std::int32_t x, std::int32_t y);
    void AddScore(std::int32_t count);
    bool CheckGameOver();
    void UpdateFalling(std::int32_t elapsed);

    // Line drops.
    void StartLineDrop();
    void BeginAddLine();
    bool StepAddLine(std::int32_t elapsed);
    void InsertNewRow();

    // Links set by the game.
    void SetLayer(ZoSpriteLayer* layer) { layer_ = layer; }
    ZoSpriteLayer* Layer() const { return layer_; }
    void SetShooter(Shooter* shooter) { shooter_ = shooter; }
    Shooter* GetShooter() const { return shooter_; }
    // Loads the single-frame background placed at the centre of the screen.
    void LoadBackground(const std::string& name);
    ZoClip* Background() const { return background_.get(); }

    BaseBubble* NextBubble() const { return nextBubble_.get(); }
    void SetNextBubble(std::unique_ptr<BaseBubble> bubble) { nextBubble_ = std::move(bubble); }
    std::unique_ptr<BaseBubble> TakeNextBubble() { return std::move(nextBubble_); }
    BaseBubble* NewRowBubble(std::int32_t x) const;
    const std::vector<ZoCell>& Group() const { return group_; }
    const std::vector<ZoCell>& Component() const { return component_; }
    const std::vector<std::unique_ptr<BaseBubble>>& Falling() const { return falling_; }
    const GameEffects& Effects() const { return effects_; }
    const std::vector<ZoVector>& Path() const { return path_; }
    ZoCell TargetCell() const { return targetCell_; }
    const ZoVector& HitPosition() const { return hitPosition_; }
    double LineDropProgress() const { return lineDropProgress_; }
    bool Floating() const { return floating_; }
    std::int32_t RemovalClock() const { return removalClock_; }

    std::int32_t xPlayerPos = 0;
    std::int32_t yPlayerPos = 0;
    bool linePending = false;
    std::int32_t MapState = kIntro;
    std::int32_t ElapsedTime = 0;
    std::int32_t NumMovesLeft = 0;
    std::int32_t NumBeginMoves = 0;
    std::int32_t NextNumBeginMoves = 0;
    std::int32_t NumAddLines = 1;
    std::int32_t NumAddedeLines = 0;
    std::int32_t TripleBonus = 0;
    std::int32_t LongestCombo = 0;
    std::int32_t score = 0;
    bool introStarted = false;
    // What shots did, for replays and tests: how many have landed, the cell the last one entered (kNoCell
    // for none), the balls its group burst (0 below three), and every ball that has come loose on this board.
    std::int32_t landings = 0;
    ZoCell landedCell = kNoCell;
    std::int32_t landedBurst = 0;
    std::int32_t ballsLoosened = 0;

protected:
    void AddToLayer(BaseBubble& bubble);
    // With mirrorRowOne, row 0 counts as occupied above every ball of row 1 (the moment a line drop
    // has moved the rows down and the new row is not in yet).
    void RemoveFloatingImpl(bool mirrorRowOne);
    // The landing of the ball in flight; false when the board was cleared and the update must end.
    bool Arrive();
    void TracePath(const ZoVector& start, const ZoVector& direction);
    void FinishPath();
    void FillWorkGrid(bool colours);
    void ScanGroup(std::int32_t x, std::int32_t y, std::int32_t bubbleId);
    void ScanConnected(std::int32_t x, std::int32_t y);

    using Column = std::array<std::unique_ptr<BaseBubble>, kMaxGridCells>;
    std::array<Column, kMaxGridCells> grid_;
    ZoSpriteLayer* layer_ = nullptr;
    std::array<std::unique_ptr<BaseBubble>, kMaxGridCells> newRow_;
    Shooter* shooter_ = nullptr;
    std::unique_ptr<BaseBubble> nextBubble_;
    std::unique_ptr<ZoClip> background_;
    ZoCell targetCell_{0, 0};
    std::vector<ZoCell> group_;
    std::array<std::array<std::int32_t, kMaxGridCells>, kMaxGridCells> workGrid_{};
    std::vector<std::int32_t> introColours_;
    std::map<std::int32_t, bool> colours_;
    // Falling balls leave the board one at a time, this many ms apart at least.
    static constexpr std::int32_t kRemovalStep = 64;
    std::int32_t removalClock_ = 0;
    bool floating_ = false;
    std::vector<ZoCell> component_;
    std::vector<std::unique_ptr<BaseBubble>> falling_;
    GameEffects effects_;
    std::vector<ZoVector> path_;
    double pathParameter_ = 0.0;
    double segmentSpeed_ = 0.0;
    bool segmentSpeedSet_ = false;
    double lineDropProgress_ = 0.0;
    ZoVector hitPosition_;
    // Start values of the line counters for the current difficulty.
    std::int32_t startMoves_ = 6;
    std::int32_t beginMoves_ = 6;
    std::int32_t nextBeginMoves_ = 5;
    std::int32_t linesPerEvent_ = 1;
    std::int32_t linesAdded_ = 0;
};
