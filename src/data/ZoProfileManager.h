// The player profiles ("Data//Profiles.Txt"), the active player and the file names of their save slots.
#pragma once

#include "ZoProfileItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class ZoProfileManager {
public:
    static constexpr const char* kProfilesFile = "Data//Profiles.Txt";
    static constexpr const char* kSaveFolder = "Data/Save/";

    // The game's profiles, in the working folder until start-up names the player's folder.
    static ZoProfileManager& Instance();

    // saveFolder ends with "/".
    ZoProfileManager(std::string profilesFile = kProfilesFile, std::string saveFolder = kSaveFolder);

    // False (no profiles, no active one) when the file is missing or does not parse.
    bool LoadProfiles();
    // Writes the list atomically, creating the folder when missing. False when the write failed.
    bool SaveProfiles();
    // Adds name unless present and makes it active. Always true.
    bool AddProfile(const std::string& name);
    // Makes the first profile of that name active; an unknown name leaves the active one as it was.
    void SelectProfile(const std::string& name);
    // Empties the active profile's slot and removes it; the first remaining profile becomes active.
    bool DeleteActiveProfile();

    // Empty when no valid profile is active.
    std::string ActiveProfileName() const;
    // kSaveFolder + the active name made safe as a file name + ".Zos".
    std::string SaveFileName() const;
    void RefreshSavedFlag();
    // Leaves a zero-length file: that is what an empty slot looks like. Nothing without an active profile.
    void ClearSavedGame();
    bool IsEmpty() const { return profiles.empty(); }
    bool ActiveHasSavedGame() const;

    // The file name a player name gets: letters, digits, blanks and most punctuation stay; path
    // separators, "%", control characters and a leading dot become %XX, and an empty name becomes "%".
    // Different names always give different file names.
    static std::string SafeFileName(const std::string& playerName);

    // An index outside the list counts as no active profile.
    bool HasActiveProfile() const;
    std::int32_t Active() const { return active; }
    std::int32_t PreviousActive() const { return previousActive; }
    const std::vector<std::unique_ptr<ZoProfileItem>>& Profiles() const { return profiles; }
    const std::string& ProfilesFile() const { return profilesFile; }
    // saveFolder ends with "/".
    void SetFiles(std::string profilesPath, std::string saveFolderPath) {
        profilesFile = std::move(profilesPath);
        saveFolder = std::move(saveFolderPath);
    }

    // Set by the profile dialog from its layout; the manager itself enforces no limit.
    std::int32_t maximumProfiles = 5;

private:
    ZoProfileItem* ActiveItem() const;

    std::int32_t active = -1;
    std::vector<std::unique_ptr<ZoProfileItem>> profiles;
    std::int32_t previousActive = -1;
    std::string profilesFile;
    std::string saveFolder;
};
