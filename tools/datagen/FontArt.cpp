#include "FontArt.h"

#include "ImageEncoder.h"
#include "Painter.h"
#include "ZoTextTree.h"

#include <algorithm>
#include <cstdio>

namespace {

struct GlyphLook {
    double size;
    int height;
    double baseline;
    double outline;
    Rgb top, bottom;
    FontStyle style;
};

constexpr int kFirstMarker = 2; // columns after the space glyph before the first marker
constexpr int kGap = 2;         // blank columns between one glyph's ink and the next marker
constexpr int kTailColumns = 8; // the scan drops a glyph whose ink or blank column reaches the edge

// One glyph rasterised on its own, cropped to its ink columns.
struct GlyphInk {
    SurfacePtr surface;
    int left = 0, right = 0;
};

GlyphInk RasteriseGlyph(char c, const GlyphLook& look) {
    const int w = static_cast<int>(look.size * 3);
    GlyphInk g;
    g.surface = NewSurface(w, look.height);
    {
        Painter p(g.surface.get());
        const std::string text(1, c);
        const double advance = p.TextWidth(text, look.size, look.style);
        p.OutlinedText(text, look.size + advance / 2, look.baseline, look.size, look.top, look.outline,
                       look.style, &look.bottom);
    }
    cairo_surface_flush(g.surface.get());
    const unsigned char* data = cairo_image_surface_get_data(g.surface.get());
    const int stride = cairo_image_surface_get_stride(g.surface.get());
    g.left = w;
    g.right = 0;
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < look.height; ++y) {
            if (data[y * stride + x * 4 + 3] != 0) { // alpha byte of a little-endian ARGB32 pixel
                g.left = std::min(g.left, x);
                g.right = std::max(g.right, x + 1);
            }
        }
    }
    return g;
}

// Lays the glyphs out left to right; boxes receives each glyph's ink columns in the strip.
SurfacePtr BuildStrip(const std::string& codes, int spaceSize, const GlyphLook& look,
                      std::map<char, GlyphBox>& boxes) {
    std::vector<GlyphInk> glyphs;
    int width = spaceSize + kFirstMarker;
    for (std::size_t i = 1; i < codes.size(); ++i) {
        glyphs.push_back(RasteriseGlyph(codes[i], look));
        width += 1 + (glyphs.back().right - glyphs.back().left) + kGap;
    }
    width += kTailColumns;
    SurfacePtr strip = NewSurface(width, look.height);
    cairo_t* cr = cairo_create(strip.get());
    int marker = spaceSize + kFirstMarker;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphInk& g = glyphs[i];
        const int left = marker + 1;
        const int inkWidth = g.right - g.left;
        cairo_save(cr);
        cairo_rectangle(cr, left, 0, inkWidth, look.height);
        cairo_clip(cr);
        cairo_set_source_surface(cr, g.surface.get(), left - g.left, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        boxes[codes[i + 1]] = GlyphBox{left, left + inkWidth};
        marker = left + inkWidth + kGap;
    }
    cairo_destroy(cr);
    // The game's scan reads the alpha two pixels to the left of the column it tests, and starts a glyph one
    // column after the first column it sees inked. A faint pixel (alpha 1 of 255, invisible) in the column
    // before each glyph, and in any empty column inside it (the two dots of a quote), makes the scan's box
    // land exactly on the glyph's ink.
    cairo_surface_flush(strip.get());
    unsigned char* data = cairo_image_surface_get_data(strip.get());
    const int stride = cairo_image_surface_get_stride(strip.get());
    for (const auto& entry : boxes) {
        for (int x = entry.second.left - 1; x < entry.second.right; ++x) {
            bool inked = false;
            for (int y = 0; y < look.height && !inked; ++y) {
                inked = data[y * stride + x * 4 + 3] != 0;
            }
            if (!inked) {
                data[x * 4 + 3] = 1; // top row, black, alpha 1 (premultiplied colour stays 0)
            }
        }
    }
    cairo_surface_mark_dirty(strip.get());
    return strip;
}

GlyphLook MainStyle() {
    return GlyphLook{17.0, 26, 19.0, 1.4, Rgb{1, 1, 1}, Rgb8(232, 236, 255), FontStyle::Bold};
}
GlyphLook DigitStyle() {
    return GlyphLook{25.0, 32, 25.0, 2.2, Rgb8(255, 250, 200), Rgb8(255, 190, 40), FontStyle::Bold};
}

} // namespace

std::vector<FontDescription> LoadFontDescriptions(const std::string& path) {
    ZoTextTree tree;
    std::vector<FontDescription> fonts;
    if (tree.LoadFile(path) != 0) {
        std::fprintf(stderr, "datagen: cannot parse %s\n", path.c_str());
        return fonts;
    }
    for (const char* name : {"MainFont", "Digits"}) {
        const std::string n = name;
        FontDescription f;
        f.name = n;
        f.codes = tree.GetString(n + ".Codes", "");
        f.fileName = tree.GetString(n + ".FileName", "");
        f.spaceSize = tree.GetInt(n + ".SpaceSize", 0);
        f.charDist = tree.GetInt(n + ".CharDist", 0);
        const int mono = tree.GetInt(n + ".MonoWidth", 0);
        // The scan needs the blank glyph to cover the two columns it never tests.
        if (f.codes.size() < 2 || f.fileName.empty() || f.spaceSize < 2 || mono != -1 ||
            f.codes.find('#') != std::string::npos) {
            std::fprintf(stderr, "datagen: %s: font %s is not a usable proportional font\n", path.c_str(),
                         name);
            return {};
        }
        fonts.push_back(f);
    }
    return fonts;
}

std::map<char, GlyphBox> ScanFontFile(const std::vector<std::uint8_t>& tga, const std::string& codes,
                                      int spaceSize) {
    std::map<char, GlyphBox> glyphs;
    if (tga.size() < 18 || codes.empty()) {
        return glyphs;
    }
    const int w = tga[12] | (tga[13] << 8);
    const int h = tga[14] | (tga[15] << 8);
    if (tga.size() < static_cast<std::size_t>(18 + 4 * w * h)) {
        return glyphs;
    }
    // The byte at file offset 13 + 4 (r W + c), over every row, decides whether column c holds ink.
    auto inked = [&](int c) {
        for (int r = 0; r < h; ++r) {
            if (tga[13 + 4 * (static_cast<std::size_t>(r) * w + c)] != 0) {
                return true;
            }
        }
        return false;
    };
    glyphs[codes[0]] = GlyphBox{0, spaceSize};
    int x = spaceSize;
    std::size_t next = 1;
    if (x >= w) {
        return glyphs;
    }
    while (x < w && next < codes.size()) {
        int start = 0;
        bool found = false;
        do {
            if (inked(x)) {
                start = x - 1;
                found = start != 0;
            }
            ++x;
            if (x > w - 1) {
                return glyphs;
            }
        } while (!found);
        int k = start - 1;
        int end = 0;
        found = false;
        do {
            ++k;
            if (!inked(x)) {
                end = k;
                found = true;
            }
            ++x;
            if (x > w - 1) {
                return glyphs;
            }
        } while (!found);
        glyphs[codes[next++]] = GlyphBox{start, end};
    }
    return glyphs;
}

bool DrawFonts(PictureSet& set, const std::vector<FontDescription>& fonts) {
    const GlyphLook styles[2] = {MainStyle(), DigitStyle()};
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const FontDescription& f = fonts[i];
        std::map<char, GlyphBox> boxes;
        SurfacePtr strip = BuildStrip(f.codes, f.spaceSize, styles[i], boxes);
        const std::map<char, GlyphBox> scanned = ScanFontFile(EncodeTga(strip.get()), f.codes, f.spaceSize);
        for (std::size_t c = 1; c < f.codes.size(); ++c) {
            const char ch = f.codes[c];
            const auto it = scanned.find(ch);
            if (it == scanned.end() || it->second.left != boxes[ch].left ||
                it->second.right != boxes[ch].right) {
                std::fprintf(stderr, "datagen: font %s: the scan misses the ink of '%c'\n", f.name.c_str(),
                             ch);
                return false;
            }
        }
        const int w = cairo_image_surface_get_width(strip.get());
        const int h = cairo_image_surface_get_height(strip.get());
        cairo_surface_t* target = set.Add(f.fileName, w, h);
        cairo_t* cr = cairo_create(target);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, strip.get(), 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        set.Find(f.fileName)->inLangArchive = true;
    }
    return true;
}
