// Bitmap fonts: glyph rectangles from fixed cells or an ink scan, text drawing, and the font registry.
#pragma once

#include "ZoImage.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class ZoBitmapFont : public ZoImage {
public:
    // Text alignment of DrawText: 0 ends at x, 1 centred on x, anything else starts at x.
    static constexpr std::int32_t kAlignRight = 0;
    static constexpr std::int32_t kAlignCentre = 1;
    static constexpr std::int32_t kAlignLeft = 2;

    ZoBitmapFont() = default;
    ~ZoBitmapFont() override = default;

    // Reads the font named name from "Data/Fonts.Txt" and its TGA picture.
    bool LoadFont(const std::string& name);
    // Draws text; out (when given) receives (x after the last glyph, y, 0).
    void DrawText(std::int32_t x, std::int32_t y, const char* text, std::int32_t alignment,
                  ZoVector* out = nullptr);
    // Draws one glyph with its left edge at x and vertical centre at y; returns the advance.
    std::int32_t DrawChar(std::int32_t x, std::int32_t y, char c);
    std::int32_t MeasureText(const char* text) const;
    std::int32_t MeasureText(const std::string& text) const;

    // Proportional glyphs from the ink of a TGA file (its bytes as stored; width and height from its header).
    // The ink test and column arithmetic are kept exactly as the stored font pictures expect.
    static std::map<char, ZoRect> ScanGlyphs(const unsigned char* tgaFile, std::size_t size,
                                             const std::string& codes, std::int32_t spaceSize);
    // Fixed cells of monoWidth pixels, left to right, while they start inside the picture.
    static std::map<char, ZoRect> FixedGlyphs(std::int32_t width, std::int32_t height, const std::string& codes,
                                              std::int32_t monoWidth);

    const std::map<char, ZoRect>& Glyphs() const { return glyphs_; }
    ZoRect Glyph(char c) const;
    const std::string& Codes() const { return codes_; }

    std::int32_t MonoWidth = 0;
    std::int32_t CharDist = 0;
    std::int32_t SpaceSize = 0;

private:
    std::string codes_;
    std::map<char, ZoRect> glyphs_;
    std::vector<unsigned char> pixelCopy_;
};

// The process-wide font registry (id 0 "MainFont", id 1 "Digits"). It owns its fonts.
class ZoFontRegistry {
public:
    static ZoFontRegistry& Instance();

    // Stores the font under id, replacing (and deleting) an earlier one. Always true.
    bool Register(std::int32_t id, std::unique_ptr<ZoBitmapFont> font);
    // The font under id, or null.
    ZoBitmapFont* Get(std::int32_t id);
    // Deletes every font (the application does this at shut-down).
    void Clear();

private:
    ZoFontRegistry() = default;
    std::map<std::int32_t, std::unique_ptr<ZoBitmapFont>> fonts_;
};
