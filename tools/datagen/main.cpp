// datagen ASSETS_DIR OUT_DIR [--sheet PNG] [--mock PNG]: draws every picture and font of the game and
// stages them with the text files under OUT_DIR/resource/Data and OUT_DIR/lang/Data.
// datagen --icons DIR NAME: draws the desktop icon as DIR/NxN/apps/NAME.png.
#include "Art.h"
#include "ContactSheet.h"
#include "FontArt.h"
#include "IconArt.h"
#include "ImageEncoder.h"
#include "Painter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool CopyText(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "datagen: cannot read %s\n", from.c_str());
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    return WriteFile(to, Bytes(s.begin(), s.end()));
}

} // namespace

namespace {

int Run(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icons") {
        if (!WriteIcons(argv[2], argv[3])) {
            std::fprintf(stderr, "datagen: cannot write the icons under %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: datagen ASSETS_DIR OUT_DIR [--sheet PNG] [--mock PNG]\n"
                             "       datagen --icons DIR NAME\n");
        return 2;
    }
    const std::string assets = argv[1];
    const std::string out = argv[2];
    std::string sheet, mock;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--sheet") {
            sheet = argv[i + 1];
        } else if (flag == "--mock") {
            mock = argv[i + 1];
        }
    }

    PictureSet set;
    DrawScreenArt(set);
    DrawBallArt(set);
    DrawCreatureArt(set);
    DrawInterfaceArt(set);
    DrawIconArt(set);
    const std::vector<FontDescription> fonts = LoadFontDescriptions(assets + "/Fonts.Txt");
    if (fonts.empty() || !DrawFonts(set, fonts)) {
        return 1; // a glyph box would clip its ink: never ship such a font
    }

    const std::string resource = out + "/resource/Data/";
    const std::string lang = out + "/lang/Data/";
    for (Picture& p : set.All()) {
        const std::string base = (p.inLangArchive ? lang : resource) + "Textures/" + p.name;
        const bool ok = p.format == PictureFormat::Jpg
                            ? WriteFile(base + ".Jpg", EncodeJpeg(p.surface.get(), 92))
                            : WriteFile(base + ".Tga", EncodeTga(p.surface.get()));
        if (!ok) {
            std::fprintf(stderr, "datagen: cannot write %s\n", base.c_str());
            return 1;
        }
    }
    const bool textsOk = CopyText(assets + "/EngineDefs.Txt", resource + "EngineDefs.Txt") &&
                         CopyText(assets + "/Map.Txt", resource + "Map.Txt") &&
                         CopyText(assets + "/Fonts.Txt", lang + "Fonts.Txt") &&
                         CopyText(assets + "/Lang.Txt", lang + "Lang.Txt");
    if (!textsOk) {
        return 1;
    }
    if (!sheet.empty() && !WriteContactSheet(set, sheet)) {
        return 1;
    }
    if (!mock.empty() && !WriteMockScreens(set, fonts, assets + "/Lang.Txt", mock)) {
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int result = 0;
    { result = Run(argc, argv); }
    ReleaseDrawingResources();
    return result;
}
