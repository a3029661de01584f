#include "ZoBitmapFont.h"

#include "ZoResourceManager.h"
#include "ZoShowError.h"
#include "ZoTextTree.h"

#include <cstring>

namespace {

constexpr std::size_t kHeaderLength = 12;
constexpr unsigned char kTrueColourHeader[kHeaderLength] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr unsigned char kBlackWhiteHeader[kHeaderLength] = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};

bool HasFontHeader(const unsigned char* file, std::size_t size)
{
    return size >= kHeaderLength && (std::memcmp(file, kTrueColourHeader, kHeaderLength) == 0 ||
                                     std::memcmp(file, kBlackWhiteHeader, kHeaderLength) == 0);
}

// A damaged header must not make us allocate or scan more than the file could hold.
bool HoldsPixels(std::size_t size, std::int32_t width, std::int32_t height)
{
    return width >= 0 && height >= 0 &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u + kHeaderLength <= size;
}

// The pixel copy: W x H x 4 + 3 bytes from file byte 12 on; a short file leaves the rest blank.
std::vector<unsigned char> CopyPixels(const unsigned char* file, std::size_t size, std::int32_t width,
                                      std::int32_t height)
{
    const std::size_t length = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u;
    std::vector<unsigned char> pixels(length + 3, 0);
    if (size > kHeaderLength) {
        std::memcpy(pixels.data(), file + kHeaderLength, std::min(length, size - kHeaderLength));
    }
    return pixels;
}

// A column is inked when the byte at 1 + 4 * (r * W + c) of the pixel copy is set in some row. This reads
// the alpha of the pixel two places earlier; the stored font pictures are drawn for exactly this test.
bool ColumnInked(const std::vector<unsigned char>& pixels, std::int32_t width, std::int32_t height,
                 std::int32_t column)
{
    for (std::int32_t r = 0; r < height; ++r) {
        const std::size_t offset = 1u + 4u * (static_cast<std::size_t>(r) * width + static_cast<std::size_t>(column));
        if (pixels[offset] != 0) {
            return true;
        }
    }
    return false;
}

std::map<char, ZoRect> ScanPixels(const std::vector<unsigned char>& pixels, std::int32_t width,
                                  std::int32_t height, const std::string& codes, std::int32_t spaceSize)
{
    std::map<char, ZoRect> glyphs;
    if (codes.empty()) {
        return glyphs;
    }
    glyphs[codes[0]] = ZoRect{0, 0, spaceSize, height};
    std::int32_t x = spaceSize;
    std::size_t next = 1;
    if (x >= width || x < 0) {
        return glyphs;
    }
    while (next < codes.size()) {
        std::int32_t start = 0; // a start of 0 counts as not found
        do {
            if (ColumnInked(pixels, width, height, x)) {
                start = x - 1;
            }
            ++x;
            if (x > width - 1) {
                return glyphs;
            }
        } while (start == 0);
        std::int32_t k = start - 1;
        std::int32_t end = 0;
        bool ended = false;
        do {
            ++k;
            if (!ColumnInked(pixels, width, height, x)) {
                end = k;
                ended = true;
            }
            ++x;
            if (x > width - 1) {
                return glyphs;
            }
        } while (!ended);
        glyphs[codes[next]] = ZoRect{start, 0, end, height};
        ++next;
        if (x >= width) {
            break;
        }
    }
    return glyphs;
}

std::int32_t ReadLe16(const unsigned char* p) { return p[0] | (p[1] << 8); }

} // namespace

std::map<char, ZoRect> ZoBitmapFont::ScanGlyphs(const unsigned char* tgaFile, std::size_t size,
                                                const std::string& codes, std::int32_t spaceSize)
{
    if (tgaFile == nullptr || size < 18) {
        return {};
    }
    const std::int32_t width = ReadLe16(tgaFile + 12);
    const std::int32_t height = ReadLe16(tgaFile + 14);
    if (width <= 0 || height <= 0 || !HoldsPixels(size, width, height)) {
        return {};
    }
    return ScanPixels(CopyPixels(tgaFile, size, width, height), width, height, codes, spaceSize);
}

std::map<char, ZoRect> ZoBitmapFont::FixedGlyphs(std::int32_t width, std::int32_t height, const std::string& codes,
                                                 std::int32_t monoWidth)
{
    std::map<char, ZoRect> glyphs;
    if (monoWidth <= 0) {
        return glyphs; // no usable cell width: the font has no glyphs
    }
    std::int32_t x = 0;
    for (char c : codes) {
        if (x >= width) {
            break;
        }
        glyphs[c] = ZoRect{x, 0, x + monoWidth, height};
        x += monoWidth;
    }
    return glyphs;
}

bool ZoBitmapFont::LoadFont(const std::string& name)
{
    ZoResourceManager& resources = ZoResourceManager::Instance();
    ZoTextTree tree;
    {
        ZoFileBlock block;
        const std::int32_t size = resources.GetFile("Data/Fonts.Txt", block);
        if (size > 0 && block) {
            tree.LoadMemory(block.get(), size);
        }
    }
    codes_ = tree.GetCString(name + ".Codes", "");
    const std::string fileName = tree.GetString(name + ".FileName", "");
    SpaceSize = tree.GetInt(name + ".SpaceSize", 0);
    CharDist = tree.GetInt(name + ".CharDist", 0);
    MonoWidth = tree.GetInt(name + ".MonoWidth", 0);
    glyphs_.clear();
    pixelCopy_.clear();

    Load(fileName, false);

    ZoFileBlock file;
    const std::int32_t size = resources.GetFile("Data/Textures/" + fileName + ".Tga", file);
    if (size == -1) {
        ShowError("Font File '" + fileName + "' - Not Found!");
        return false;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.get());
    const std::size_t length = size > 0 && file ? static_cast<std::size_t>(size) : 0;
    if (!HasFontHeader(bytes, length)) {
        return false;
    }
    const std::int32_t width = Width();
    const std::int32_t height = Height();
    if (!HoldsPixels(length, width, height)) {
        return false; // the file is shorter than its picture: damaged
    }
    pixelCopy_ = CopyPixels(bytes, length, width, height);
    if (MonoWidth != -1) {
        glyphs_ = FixedGlyphs(width, height, codes_, MonoWidth);
    } else {
        glyphs_ = ScanPixels(pixelCopy_, width, height, codes_, SpaceSize);
    }
    return true;
}

ZoRect ZoBitmapFont::Glyph(char c) const
{
    auto found = glyphs_.find(c);
    return found == glyphs_.end() ? ZoRect{0, 0, 0, 0} : found->second;
}

std::int32_t ZoBitmapFont::DrawChar(std::int32_t x, std::int32_t y, char c)
{
    const ZoRect r = Glyph(c);
    const std::int32_t width = r.right - r.left;
    position = ZoVector(static_cast<float>(width) * 0.5f + static_cast<float>(x), static_cast<float>(y), 0.0f);
    DrawFrame(FrameRect{width, r.bottom - r.top, r.left, r.top});
    return CharDist + width;
}

std::int32_t ZoBitmapFont::MeasureText(const char* text) const
{
    std::int32_t width = 0;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        const ZoRect r = Glyph(*p);
        width += r.right - r.left + CharDist;
    }
    return width;
}

std::int32_t ZoBitmapFont::MeasureText(const std::string& text) const { return MeasureText(text.c_str()); }

void ZoBitmapFont::DrawText(std::int32_t x, std::int32_t y, const char* text, std::int32_t alignment, ZoVector* out)
{
    if (alignment == kAlignRight) {
        x -= MeasureText(text);
    } else if (alignment == kAlignCentre) {
        x -= MeasureText(text) / 2;
    }
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        x += DrawChar(x, y, *p);
    }
    if (out != nullptr) {
        *out = ZoVector(static_cast<float>(x), static_cast<float>(y), 0.0f);
    }
}

ZoFontRegistry& ZoFontRegistry::Instance()
{
    static ZoFontRegistry registry;
    return registry;
}

bool ZoFontRegistry::Register(std::int32_t id, std::unique_ptr<ZoBitmapFont> font)
{
    fonts_[id] = std::move(font);
    return true;
}

ZoBitmapFont* ZoFontRegistry::Get(std::int32_t id)
{
    auto found = fonts_.find(id);
    return found == fonts_.end() ? nullptr : found->second.get();
}

void ZoFontRegistry::Clear() { fonts_.clear(); }
