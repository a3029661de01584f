// The two bitmap fonts: glyph strips rasterised from DejaVu Sans, checked against the game's ink scan.
#pragma once

#include "Picture.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct GlyphBox {
    int left = 0, right = 0; // columns, right exclusive
};

// The game's proportional-font scan exactly as the engine runs it over the TGA file's bytes.
std::map<char, GlyphBox> ScanFontFile(const std::vector<std::uint8_t>& tga, const std::string& codes,
                                      int spaceSize);

struct FontDescription {
    std::string name, fileName, codes;
    int spaceSize = 0, charDist = 0;
};
// The proportional fonts described in the text tree file at path (assets/Fonts.Txt); empty when unreadable.
std::vector<FontDescription> LoadFontDescriptions(const std::string& path);

// Adds the font pictures; false (with a message) when the scan would clip any glyph.
bool DrawFonts(PictureSet& set, const std::vector<FontDescription>& fonts);
