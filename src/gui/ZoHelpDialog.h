// The help screen: a panel of "#"-broken paragraphs (and pictures, none so far) fading with it.
#pragma once

#include "ZoClip.h"
#include "ZoPanel.h"
#include "ZoParagraph.h"

#include <memory>
#include <vector>

class ZoHelpDialog : public ZoPanel {
public:
    ZoHelpDialog() { secondFlag = true; }

    void Draw() override;
    void Update(std::int32_t elapsed) override;
    // Called once by the builder after Create; nothing to do yet.
    virtual void Hook() {}

    // The dialog owns the paragraph from now on; returns it.
    ZoParagraph* AddParagraph(std::unique_ptr<ZoParagraph> paragraph);
    const std::vector<std::unique_ptr<ZoParagraph>>& Paragraphs() const { return paragraphs; }

    std::vector<std::unique_ptr<ZoParagraph>> paragraphs;
    std::vector<std::unique_ptr<ZoClip>> pictures;
};
