#include "ZoDialogPanel.h"

#include "ZoBitmapFont.h"
#include "ZoTruncate.h"

void ZoDialogPanel::Draw() {
    ZoPanel::Draw();
    if (!title.empty()) {
        ZoBitmapFont* font = ZoFontRegistry::Instance().Get(titleFont);
        if (font != nullptr) {
            const std::int32_t halfHeight = background != nullptr ? background->Height() / 2 : 0;
            font->SetColour(red, green, blue, alpha);
            font->DrawText(TruncateToInt(position.x),
                           TruncateToInt(position.y - static_cast<float>(halfHeight) + 24.0f + 8.0f),
                           title.c_str(), ZoBitmapFont::kAlignCentre);
        }
    }
    if (!message.empty()) {
        messageBlock.position = PanelPoint(50.0f, 50.0f);
        messageBlock.SetFont(messageFont);
        messageBlock.SetText(message);
        messageBlock.SetColour(red, green, blue, alpha);
        messageBlock.Draw();
    }
}
