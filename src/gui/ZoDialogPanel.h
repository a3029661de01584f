// A panel with a title line and a centred message block.
#pragma once

#include "ZoPanel.h"
#include "ZoParagraph.h"

#include <string>

class ZoDialogPanel : public ZoPanel {
public:
    void Draw() override;

    void SetTitleFont(std::int32_t fontNumber) { titleFont = fontNumber; }
    void SetMessageFont(std::int32_t fontNumber) { messageFont = fontNumber; }
    void SetMessage(const std::string& text) { message = text; }
    void SetTitle(const std::string& text) { title = text; }
    const ZoParagraph& MessageBlock() const { return messageBlock; }

    std::string title;
    std::string message;
    std::int32_t titleFont = -1;
    std::int32_t messageFont = -1;
    ZoParagraph messageBlock;
};
