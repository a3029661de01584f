// The score dialog: one high-score table at a time, rows fading in one after another, arrows and Clear.
#pragma once

#include "ZoPanel.h"
#include "ZoTop.h"

#include <cstdint>

class ZoScoreDlg : public ZoPanel {
public:
    ZoScoreDlg();

    // Layout from the engine definitions and the four buttons.
    void Init() override;
    void Draw() override;
    void Update(std::int32_t elapsed) override;
    void Open() override;

    void ShowNext();
    void ShowPrevious();

    bool cascade = false;
    ZoTopLayout layout;
    std::int32_t requestedTable = 0;
    std::int32_t shownTable = -1;
    ZoBaseGuiElemen* nextButton = nullptr;
    ZoBaseGuiElemen* previousButton = nullptr;

private:
    ZoTop* ShownTop() const;
};
