#include "ZoSysConfig.h"

#include "ZoAtomicFile.h"

#include <algorithm>
#include <utility>

ZoSysConfig& ZoSysConfig::Instance() {
    static ZoSysConfig instance(kFileName);
    return instance;
}

ZoSysConfig::ZoSysConfig(std::string name) : fileName(std::move(name)) {}

bool ZoSysConfig::operator==(const ZoSysConfig& other) const {
    return windowed == other.windowed && soundVolume == other.soundVolume &&
           musicVolume == other.musicVolume && difficulty == other.difficulty &&
           aimingGuide == other.aimingGuide;
}

ZoSysConfig& ZoSysConfig::operator=(const ZoSysConfig& other) {
    windowed = other.windowed;
    soundVolume = other.soundVolume;
    musicVolume = other.musicVolume;
    difficulty = other.difficulty;
    aimingGuide = other.aimingGuide;
    return *this;
}

bool ZoSysConfig::Load() {
    if (tree.LoadFile(fileName) != 0) {
        windowed = false;
        soundVolume = 100;
        musicVolume = 100;
        difficulty = 0;
        aimingGuide = false;
        ApplyWindowedForRun();
        return false;
    }
    // A key missing from an existing file reads as 0 on purpose: no "SoundVolume" means silence.
    windowed = tree.GetInt("Windowed", 0) != 0;
    // A hand-edited volume outside the sliders' range would put the knob off its track.
    soundVolume = std::clamp(tree.GetInt("SoundVolume", 0), 0, kMaxVolume);
    musicVolume = std::clamp(tree.GetInt("MusicVolume", 0), 0, kMaxVolume);
    difficulty = tree.GetInt("DifficultLevel", 0);
    aimingGuide = tree.GetInt(kAimingGuideKey, 0) != 0;
    ApplyWindowedForRun();
    return true;
}

void ZoSysConfig::ApplyWindowedForRun() {
    windowedInFile = windowed;
    if (windowedForRun)
        windowed = *windowedForRun;
}

bool ZoSysConfig::Save() {
    // The command line's mode is not the player's choice; once they pick a mode in the dialog, it is.
    if (windowedForRun && windowed != *windowedForRun)
        windowedForRun.reset();
    if (!windowedForRun)
        windowedInFile = windowed;
    tree.SetInt("Windowed", windowedInFile ? 1 : 0);
    tree.SetInt("SoundVolume", soundVolume);
    tree.SetInt("MusicVolume", musicVolume);
    tree.SetInt("DifficultLevel", difficulty);
    // Written once it has been switched on, so the file of a player who never used it stays as it was.
    if (aimingGuide || tree.Has(kAimingGuideKey))
        tree.SetInt(kAimingGuideKey, aimingGuide ? 1 : 0);
    ZoAtomicFile::CreateParentFolders(fileName);
    return tree.Save(fileName) == 0;
}
