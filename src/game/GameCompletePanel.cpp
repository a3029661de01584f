#include "GameCompletePanel.h"

#include "GameGlobals.h"
#include "GameMap.h"
#include "ZoBitmapFont.h"
#include "ZoResourceManager.h"
#include "ZoTextTree.h"
#include "ZoTruncate.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();

std::int32_t StepOf(std::int32_t value) {
    return std::max<std::int32_t>(1, value / GameCompletePanel::kCountingSteps);
}

// One counting step; true when the value has been reached (and the shown value is exact).
bool CountUp(std::int32_t& shown, std::int32_t target, std::int32_t step, std::int32_t units) {
    // Wide arithmetic: a large score with a long frame must not wrap past the target.
    const std::int64_t next = static_cast<std::int64_t>(shown) + static_cast<std::int64_t>(step) * units;
    if (next > target) {
        shown = target;
        return true;
    }
    shown = static_cast<std::int32_t>(next);
    return false;
}

} // namespace

void GameCompletePanel::Init() {
    ZoFileBlock block;
    const std::int32_t size = ZoResourceManager::Instance().GetFile(GameMap::kMapFile, block);
    ZoTextTree tree;
    tree.LoadMemory(size > 0 ? block.get() : nullptr, size > 0 ? size : -1);
    scorePosition = tree.GetVector("GameOver.ScorePos", ' ');
    bonusPosition = tree.GetVector("GameOver.BonusPos", ' ');
    totalPosition = tree.GetVector("GameOver.TotalPos", ' ');
}

void GameCompletePanel::SetResult(std::int32_t finalScore, std::int32_t finalBonus) {
    score = finalScore;
    bonus = finalBonus;
    const std::int64_t sum = static_cast<std::int64_t>(finalScore) + finalBonus;
    total = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, -kLargest, kLargest));
}

void GameCompletePanel::Open() {
    ZoDialogPanel::Open();
    shownScore = 0;
    shownBonus = 0;
    shownTotal = 0;
    scoreShown = false;
    bonusShown = false;
    allShown = false;
    scoreStep = StepOf(score);
    bonusStep = StepOf(bonus);
    totalStep = StepOf(total);
}

void GameCompletePanel::Update(std::int32_t elapsed) {
    ZoDialogPanel::Update(elapsed);
    const std::int32_t units = std::max<std::int32_t>(1, elapsed / 2);
    if (allShown) {
        return;
    }
    if (!scoreShown) {
        if (CountUp(shownScore, score, scoreStep, units)) {
            scoreShown = true;
            PlayGameSound(kSeekScoreEndSound);
        }
    }
    if (scoreShown && !bonusShown) {
        if (CountUp(shownBonus, bonus, bonusStep, units)) {
            bonusShown = true;
            PlayGameSound(kSeekScoreEndSound);
        }
    }
    if (scoreShown && bonusShown) {
        if (CountUp(shownTotal, total, totalStep, units)) {
            allShown = true;
            PlayGameSound(kSeekScoreEndSound);
        }
    }
}

void GameCompletePanel::DrawNumber(std::int32_t value, const ZoVector& where) {
    ZoBitmapFont* font = ZoFontRegistry::Instance().Get(titleFont);
    if (font == nullptr) {
        return;
    }
    const ZoVector point = PanelPoint(where.x, where.y);
    const std::string text = std::to_string(value);
    font->SetColour(red, green, blue, alpha);
    font->DrawText(TruncateToInt(point.x), TruncateToInt(point.y), text.c_str(), ZoBitmapFont::kAlignLeft);
}

void GameCompletePanel::Draw() {
    ZoDialogPanel::Draw();
    DrawNumber(shownScore, scorePosition);
    if (scoreShown) {
        DrawNumber(shownBonus, bonusPosition);
    }
    if (bonusShown) {
        DrawNumber(shownTotal, totalPosition);
    }
}
