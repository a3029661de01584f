// The end-of-game panel: counts up the score, then the bonus, then the total, with a sound as each stops.
#pragma once

#include "ZoDialogPanel.h"
#include "ZoVector.h"

#include <cstdint>

class GameCompletePanel : public ZoDialogPanel {
public:
    static constexpr std::int32_t kCountingSteps = 128;
    static constexpr std::int32_t kSeekScoreEndSound = 100;

    // Reads where the three numbers go from "Data/Map.Txt" (percent of the panel picture).
    void Init() override;
    void Draw() override;
    void Update(std::int32_t elapsed) override;
    // Starts the counting from zero.
    void Open() override;

    // The final numbers; the total is their sum, kept within range.
    void SetResult(std::int32_t finalScore, std::int32_t finalBonus);

    bool scoreShown = false;
    std::int32_t score = 0;
    std::int32_t shownScore = 0;
    std::int32_t scoreStep = 1;
    bool bonusShown = false;
    std::int32_t bonus = 0;
    std::int32_t shownBonus = 0;
    std::int32_t bonusStep = 1;
    std::int32_t shownTotal = 0;
    std::int32_t total = 0;
    std::int32_t totalStep = 1;
    bool allShown = false;
    ZoVector scorePosition;
    ZoVector bonusPosition;
    ZoVector totalPosition;

private:
    void DrawNumber(std::int32_t value, const ZoVector& where);
};
