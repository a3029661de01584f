#include "ZoParagraph.h"

#include "ZoBitmapFont.h"
#include "ZoTruncate.h"

void ZoParagraph::SetFont(std::int32_t fontNumber) {
    if (lineHeight < 0) {
        const ZoBitmapFont* found = ZoFontRegistry::Instance().Get(fontNumber);
        if (found != nullptr) {
            lineHeight = TruncateToInt(static_cast<float>(found->Height()) * 0.75f);
        }
    }
    font = fontNumber;
}

void ZoParagraph::SetText(const std::string& newText) {
    text = newText;
    lines.clear();
    std::string line;
    for (char c : text) {
        line += c;
        if (c == '#') {
            lines.push_back(line);
            line.clear();
        }
    }
    lines.push_back(line);
}

void ZoParagraph::Draw() {
    ZoBitmapFont* found = ZoFontRegistry::Instance().Get(font);
    if (found == nullptr) {
        return;
    }
    found->SetColour(red, green, blue, alpha);
    const float height = static_cast<float>(lineHeight);
    const std::int32_t topOffset = TruncateToInt(height * static_cast<float>(lines.size()) * 0.5f);
    float row = 0.0f;
    for (const std::string& line : lines) {
        if (line.size() == 1) {
            row += 0.5f;
            continue;
        }
        found->DrawText(TruncateToInt(position.x),
                        TruncateToInt(position.y - static_cast<float>(topOffset) + height * row),
                        line.c_str(), alignment);
        row += 1.0f;
    }
}
