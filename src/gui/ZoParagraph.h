// A block of text lines broken at "#", drawn centred vertically on its position.
#pragma once

#include "ZoVector.h"

#include <cstdint>
#include <string>
#include <vector>

class ZoParagraph {
public:
    // Takes the font; the line height is fixed by the first font given (three quarters of its picture).
    void SetFont(std::int32_t fontNumber);
    // Each "#" ends a line and stays at its end.
    void SetText(const std::string& newText);
    // A one-character line (a lone "#") only advances half a line.
    void Draw();

    const std::vector<std::string>& Lines() const { return lines; }
    void SetColour(float r, float g, float b, float a) {
        red = r;
        green = g;
        blue = b;
        alpha = a;
    }

    std::string text;
    std::int32_t alignment = 1;
    ZoVector position;
    float red = 255.0f;
    float green = 255.0f;
    float blue = 255.0f;
    float alpha = 255.0f;
    std::int32_t font = 0;
    std::int32_t lineHeight = -1;
    std::vector<std::string> lines;
};
