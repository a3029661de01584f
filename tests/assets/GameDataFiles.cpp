#include "GameDataFiles.h"

#include "ZoResourceManager.h"

#include <cstdlib>

const std::vector<PictureFrames>& GamePictures() {
    static const std::vector<PictureFrames> pictures = [] {
        std::vector<PictureFrames> list = {
            {"LoadScreen", 1, 1},
            {"Cursor", 1, 1},
            {"Interface/Nag/PBgrnImg", 1, 1},
            {"Interface/Nag/PLineImg", 1, 1},
            {"Bubbles/Shadow", 9, 1},
            {"GameBgr", 1, 1},
            {"GameBgr1", 1, 1},
            {"Korrik", 1, 1},
            {"KorrikMenu", 1, 1},
            {"MainMenu", 1, 1},
            {"MenuGrass", 1, 1},
            {"Help", 1, 1},
            {"Interface/CheckBox", 1, 4},
            {"Interface/Slider", 1, 2},
            {"Interface/SliderThumb", 1, 2},
            {"Interface/CursorBlink", 2, 1},
            {"Interface/Fade", 1, 1},
            {"Interface/OptionsDlg", 1, 1},
            {"Interface/vSmlDialog", 1, 1},
            {"Interface/EditDialog", 1, 1},
            {"Interface/CreditsDlg", 1, 1},
            {"Interface/ProfileDlg", 1, 1},
            {"Interface/ScoreDlg", 1, 1},
            {"Interface/GameOverDlg", 1, 1},
            {"Interface/GameComplDlg", 1, 1},
            {"Interface/ScoreClassic", 1, 1},
            {"Interface/ScoreArcade", 1, 1},
            {"Interface/ProfileItem", 1, 4},
            {"Interface/ChangeProfileTr", 1, 4},
        };
        for (const char* button : {"Continue", "StartNew", "ClassicGame", "ArcadeGame", "Options", "Help",
                                   "Score", "Exit", "BtnOk", "BtnCancel", "Yes", "No", "Menu", "Credits",
                                   "Clear", "NewProfile", "DelProfile", "LArrow", "RArrow"}) {
            list.push_back({std::string("Interface/") + button, 1, 4});
        }
        for (int i = 0; i < 6; ++i) {
            const std::string n = std::to_string(i);
            list.push_back({"Bubbles/" + n, 9, 1});
            list.push_back({"ExpBubbles/" + n, 16, 1});
            list.push_back({"ExpBubbles/" + n + "/0", 16, 1});
            list.push_back({"ExpBubbles/" + n + "/1", 16, 1});
            list.push_back({"Moves/" + n, 1, 1});
        }
        return list;
    }();
    return pictures;
}

std::string BinaryDir() {
    const char* dir = std::getenv("KORRIK_BINARY_DIR");
    return dir != nullptr ? dir : ".";
}

std::string SourceDir() {
    const char* dir = std::getenv("KORRIK_SOURCE_DIR");
    return dir != nullptr ? dir : ".";
}

bool OpenGameArchives() {
    ZoResourceManager& resources = ZoResourceManager::Instance();
    if (resources.Archives().size() >= 2) {
        return true;
    }
    return resources.Open(BinaryDir() + "/Data/Resource.Zor") &&
           resources.Open(BinaryDir() + "/Data/Lang.Zor");
}

std::vector<std::uint8_t> ArchiveFile(const std::string& name) {
    ZoFileBlock block;
    const std::int32_t size = ZoResourceManager::Instance().GetFile(name, block);
    if (size <= 0 || !block) {
        return {};
    }
    return std::vector<std::uint8_t>(block.get(), block.get() + size);
}

std::vector<std::uint8_t> PictureFile(const std::string& name, std::string* path) {
    for (const char* ext : {".Dds", ".Jpg", ".Tga"}) {
        const std::string full = "Data/Textures/" + name + ext;
        std::vector<std::uint8_t> bytes = ArchiveFile(full);
        if (!bytes.empty()) {
            if (path != nullptr) {
                *path = full;
            }
            return bytes;
        }
    }
    return {};
}

bool ReadTgaSize(const std::vector<std::uint8_t>& f, PictureSize& size) {
    static const std::uint8_t trueColour[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (f.size() < 18 || !std::equal(trueColour, trueColour + 12, f.begin()) || f[16] != 32 ||
        (f[17] & 0x0f) != 8) {
        return false;
    }
    size.width = f[12] | (f[13] << 8);
    size.height = f[14] | (f[15] << 8);
    size.hasAlpha = true;
    return f.size() == 18 + 4u * size.width * size.height;
}

bool ReadJpegSize(const std::vector<std::uint8_t>& f, PictureSize& size) {
    if (f.size() < 4 || f[0] != 0xFF || f[1] != 0xD8) {
        return false;
    }
    std::size_t i = 2;
    while (i + 9 < f.size()) {
        if (f[i] != 0xFF) {
            return false;
        }
        const int marker = f[i + 1];
        const std::size_t length = (f[i + 2] << 8) | f[i + 3];
        if (marker == 0xC0 || marker == 0xC2) {
            size.height = (f[i + 5] << 8) | f[i + 6];
            size.width = (f[i + 7] << 8) | f[i + 8];
            size.hasAlpha = false;
            return f[f.size() - 2] == 0xFF && f[f.size() - 1] == 0xD9;
        }
        i += 2 + length;
    }
    return false;
}
