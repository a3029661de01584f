// Turns every recipe of a folder into the game's sound and music files under an output folder.
#pragma once

#include "AudioBuffer.h"
#include "SoundRecipe.h"

#include <cstdint>
#include <string>
#include <vector>

struct GeneratedFile {
    std::string path;    // archive path, e.g. "Data/Sounds/FireBall.Wav"
    AudioBuffer decoded; // the samples as the game will read them back
    size_t bytes = 0;
    bool music = false;
};

class SoundGenerator {
public:
    // musicBars > 0 renders only that many bars of each music piece (quick checks).
    explicit SoundGenerator(int musicBars = 0) : musicBars_(musicBars) {}

    // Renders every *.txt recipe of recipeDir and writes the files under outDir. Fails when a recipe is
    // broken or a file of the game's sound table has no recipe.
    bool Run(const std::string& outDir, const std::string& recipeDir);

    // Renders one recipe into file bytes without touching the disk.
    bool Build(const SoundRecipe& recipe, GeneratedFile& file, std::vector<std::uint8_t>& bytes);

    const std::vector<GeneratedFile>& Files() const { return files_; }
    const std::string& Error() const { return error_; }

    // Every file the game loads: its effect table and its two music pieces.
    static const std::vector<std::string>& RequiredFiles();
    // Archive paths we accept: under Data/Sounds/ or Data/Music/, ending in .Wav or .Ogg, no "..".
    static bool IsSafeArchivePath(const std::string& path);

private:
    bool Encode(const std::string& path, AudioBuffer& rendered, GeneratedFile& file,
                std::vector<std::uint8_t>& bytes);

    int musicBars_;
    std::string error_;
    std::vector<GeneratedFile> files_;
};
