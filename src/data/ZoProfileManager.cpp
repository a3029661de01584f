#include "ZoProfileManager.h"

#include "ZoAtomicFile.h"
#include "ZoTextTree.h"

#include <cstdio>
#include <utility>

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c, bool first) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == '%' || (first && c == '.');
}

} // namespace

ZoProfileManager& ZoProfileManager::Instance() {
    static ZoProfileManager instance;
    return instance;
}

ZoProfileManager::ZoProfileManager(std::string profilesPath, std::string savePath)
    : profilesFile(std::move(profilesPath)), saveFolder(std::move(savePath)) {}

std::string ZoProfileManager::SafeFileName(const std::string& playerName) {
    if (playerName.empty())
        return "%"; // no real name encodes to a lone "%"
    std::string safe;
    for (std::size_t i = 0; i < playerName.size(); ++i) {
        const auto c = static_cast<unsigned char>(playerName[i]);
        if (NeedsEscape(c, i == 0)) {
            safe += '%';
            safe += kHexDigits[c >> 4];
            safe += kHexDigits[c & 0xF];
        } else {
            safe += static_cast<char>(c);
        }
    }
    return safe;
}

bool ZoProfileManager::HasActiveProfile() const {
    return active >= 0 && static_cast<std::size_t>(active) < profiles.size();
}

ZoProfileItem* ZoProfileManager::ActiveItem() const {
    return HasActiveProfile() ? profiles[static_cast<std::size_t>(active)].get() : nullptr;
}

bool ZoProfileManager::LoadProfiles() {
    profiles.clear();
    active = -1;
    ZoTextTree tree;
    if (tree.LoadFile(profilesFile) != 0)
        return false;
    for (int i = 0;; ++i) {
        const std::string name = tree.GetCString("PlayerName" + std::to_string(i), nullptr);
        if (tree.Status() != 0 || name.empty())
            break;
        auto item = std::make_unique<ZoProfileItem>();
        item->name = name;
        profiles.push_back(std::move(item));
        active = i;
        RefreshSavedFlag();
    }
    // Stored as found; readers treat an index outside the list as no active profile.
    active = tree.GetInt("ActiveProfile", 0);
    return true;
}

bool ZoProfileManager::SaveProfiles() {
    ZoTextTree tree;
    tree.SetInt("ActiveProfile", active);
    for (std::size_t i = 0; i < profiles.size(); ++i)
        tree.SetString("PlayerName" + std::to_string(i), profiles[i]->name);
    ZoAtomicFile::CreateParentFolders(profilesFile);
    return tree.Save(profilesFile) == 0;
}

bool ZoProfileManager::AddProfile(const std::string& name) {
    std::size_t index = 0;
    while (index < profiles.size() && profiles[index]->name != name)
        ++index;
    if (index == profiles.size()) {
        auto item = std::make_unique<ZoProfileItem>();
        item->name = name;
        profiles.push_back(std::move(item));
    }
    previousActive = active;
    active = static_cast<std::int32_t>(index);
    return true;
}

void ZoProfileManager::SelectProfile(const std::string& name) {
    previousActive = active;
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        if (profiles[i]->name == name) {
            active = static_cast<std::int32_t>(i);
            return;
        }
    }
}

bool ZoProfileManager::DeleteActiveProfile() {
    if (!HasActiveProfile())
        return false;
    ClearSavedGame();
    previousActive = -1;
    profiles.erase(profiles.begin() + active);
    active = 0;
    return true;
}

std::string ZoProfileManager::ActiveProfileName() const {
    const ZoProfileItem* item = ActiveItem();
    return item ? item->name : std::string();
}

std::string ZoProfileManager::SaveFileName() const {
    return saveFolder + SafeFileName(ActiveProfileName()) + ".Zos";
}

void ZoProfileManager::RefreshSavedFlag() {
    ZoProfileItem* item = ActiveItem();
    if (!item)
        return;
    std::FILE* file = std::fopen(SaveFileName().c_str(), "rb");
    char first[4];
    item->hasSavedGame = file && std::fread(first, 1, sizeof first, file) == sizeof first;
    if (file)
        std::fclose(file);
}

void ZoProfileManager::ClearSavedGame() {
    if (!HasActiveProfile())
        return;
    ZoAtomicFile::CreateFolders(saveFolder);
    ZoAtomicFile::Write(SaveFileName(), std::string());
}

bool ZoProfileManager::ActiveHasSavedGame() const {
    const ZoProfileItem* item = ActiveItem();
    return item && item->hasSavedGame;
}
