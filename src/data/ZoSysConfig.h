// The options of the game (window mode, volumes, difficulty, aiming guide) and their file
// "Data/ZoConfig.Cfg".
#pragma once

#include "ZoTextTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class ZoSysConfig {
public:
    static constexpr const char* kFileName = "Data/ZoConfig.Cfg";
    // Volumes run from 0 to this, as the options dialog's sliders do.
    static constexpr int kMaxVolume = 255;
    static constexpr const char* kAimingGuideKey = "AimingGuide";

    // The game's options, in the working folder until start-up names the player's folder.
    static ZoSysConfig& Instance();

    explicit ZoSysConfig(std::string fileName);
    ZoSysConfig(const ZoSysConfig&) = default;

    // Compares and copies the options only: the file name and the tree stay.
    bool operator==(const ZoSysConfig& other) const;
    bool operator!=(const ZoSysConfig& other) const { return !(*this == other); }
    ZoSysConfig& operator=(const ZoSysConfig& other);

    // A missing or unparsable file gives full screen, both volumes 100, easy. False then.
    bool Load();
    // Writes the options (atomically, creating the folder when missing). False when the write failed;
    // the options stay in effect either way.
    bool Save();
    // The window mode of the command line: it wins over the file for this run only. The file keeps its
    // own value until the player changes the mode in the options dialog.
    void SetWindowedForThisRun(bool windowedThisRun) { windowedForRun = windowedThisRun; }

    const std::string& FileName() const { return fileName; }
    void SetFileName(std::string name) { fileName = std::move(name); }
    const ZoTextTree& Tree() const { return tree; }

    bool windowed = false;
    std::int32_t soundVolume = 100;
    std::int32_t musicVolume = 100;
    std::int32_t difficulty = 0; // 0 easy, 1 normal, 2 hard
    // The dotted line along the first leg of the shot; files from before it existed read as off.
    bool aimingGuide = false;

private:
    // Remembers the file's mode, then puts the command line's in its place.
    void ApplyWindowedForRun();
    std::string fileName;
    ZoTextTree tree;                    // kept from load to save so keys we do not know survive
    std::optional<bool> windowedForRun; // the command line's mode, while it stands
    bool windowedInFile = false;
};
