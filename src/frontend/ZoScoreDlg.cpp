#include "ZoScoreDlg.h"

#include "ZoBitmapFont.h"
#include "ZoButton.h"
#include "ZoEngineDefs.h"
#include "ZoTopTables.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr std::int32_t kCascadeThreshold = 32;
constexpr std::int32_t kOpaque = 255;
} // namespace

ZoScoreDlg::ZoScoreDlg() {
    secondFlag = true;
}

void ZoScoreDlg::Init() {
    ZoTextTree& definitions = ZoEngineDefs::Tree();
    layout = ZoTopLayout::Read(definitions);
    // The keys are crossed on purpose: "PrevPos" places the right arrow, "NextPos" the left one.
    const ZoVector nextAt = definitions.GetVector("ScoreDlg.PrevPos", ' ');
    const ZoVector previousAt = definitions.GetVector("ScoreDlg.NextPos", ' ');
    const ZoVector clearAt = definitions.GetVector("ScoreDlg.OkPos", ' ');
    const ZoVector backAt = definitions.GetVector("ScoreDlg.ClearPos", ' ');
    nextButton = AddButton("Interface/RArrow", nextAt.x, nextAt.y, "ScoreDlg.Next", kRolePlain);
    previousButton = AddButton("Interface/LArrow", previousAt.x, previousAt.y, "ScoreDlg.Prev", kRolePlain);
    AddButton("Interface/Clear", clearAt.x, clearAt.y, "ScoreDlg.Clear", kRolePlain);
    AddButton("Interface/BtnOk", backAt.x, backAt.y, "ScoreDlg.Back", kRoleCancel);
}

ZoTop* ZoScoreDlg::ShownTop() const {
    return shownTable < 0 ? nullptr : ZoTopTables::Instance().Get(shownTable);
}

void ZoScoreDlg::ShowNext() {
    ++shownTable;
    if (shownTable > 1) {
        shownTable = 1;
    } else if (ZoTop* top = ShownTop()) {
        top->ResetAlpha();
        cascade = true;
    }
    shownTable = 1;
    if (nextButton != nullptr)
        nextButton->Disable();
    if (previousButton != nullptr)
        previousButton->Enable();
}

void ZoScoreDlg::ShowPrevious() {
    --shownTable;
    if (shownTable < 0) {
        shownTable = 0;
    } else if (ZoTop* top = ShownTop()) {
        top->ResetAlpha();
        cascade = true;
    }
    if (shownTable == 0) {
        if (nextButton != nullptr)
            nextButton->Enable();
        if (previousButton != nullptr)
            previousButton->Disable();
    }
}

void ZoScoreDlg::Open() {
    shownTable = requestedTable;
    ZoBaseGuiElemen* enabled = shownTable == 0 ? nextButton : previousButton;
    ZoBaseGuiElemen* disabledOne = shownTable == 0 ? previousButton : nextButton;
    if (enabled != nullptr)
        enabled->Enable();
    if (disabledOne != nullptr)
        disabledOne->Disable();
    if (ZoTop* top = ShownTop())
        top->ResetAlpha();
    ZoPanel::Open();
    cascade = true;
}

void ZoScoreDlg::Update(std::int32_t elapsed) {
    ZoPanel::Update(elapsed);
    ZoTop* top = ShownTop();
    if (top == nullptr)
        return;
    std::vector<ZoTopRecord>& records = top->Records();
    if (cascade && !records.empty()) {
        records.front().alpha = std::min(records.front().alpha + elapsed, kOpaque);
        for (std::size_t i = 1; i < records.size(); ++i) {
            if (records[i - 1].alpha > kCascadeThreshold)
                records[i].alpha = std::min(records[i].alpha + elapsed, kOpaque);
        }
        if (records.back().alpha >= kOpaque)
            cascade = false;
    } else {
        // Rows follow the panel while it fades out.
        const std::int32_t panelAlpha = std::max(0, static_cast<std::int32_t>(std::trunc(alpha)));
        for (ZoTopRecord& record : records)
            record.alpha = panelAlpha;
    }
}

void ZoScoreDlg::Draw() {
    ZoPanel::Draw();
    ZoTop* top = ShownTop();
    if (top == nullptr)
        return;
    if (ZoBitmapFont* font = ZoFontRegistry::Instance().Get(0))
        top->DrawRecords(*font, layout, alpha); // rows fade with the panel when a dialog covers it
    top->DrawTitle(layout.titlePosition, alpha);
}
