#include "SoundGenerator.h"

#include "AudioCodec.h"
#include "Dsp.h"
#include "EffectRenderer.h"
#include "MusicRenderer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Lossy coding can overshoot the rendered peak a little; keep the decoded peak under this.
const double kDecodedPeakLimit = 0.89; // about -1 dBFS
const double kOggEffectPadding = 0.04; // seconds of silence after an Ogg effect

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool WriteAtomically(const fs::path& target, const std::vector<std::uint8_t>& bytes) {
    std::error_code code;
    fs::create_directories(target.parent_path(), code);
    if (code) {
        return false;
    }
    fs::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            return false;
        }
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            return false;
        }
    }
    fs::rename(temporary, target, code);
    return !code;
}

} // namespace

const std::vector<std::string>& SoundGenerator::RequiredFiles() {
    static const std::vector<std::string> kFiles = {"Data/Sounds/Interface/Void.Wav",
                                                    "Data/Sounds/Interface/ButtonGetFocus.Wav",
                                                    "Data/Sounds/Interface/ButtonClick.Wav",
                                                    "Data/Sounds/Interface/OpenDialog.Wav",
                                                    "Data/Sounds/Interface/CloseDialog.Wav",
                                                    "Data/Sounds/Interface/Type.Ogg",
                                                    "Data/Sounds/FireBall.Wav",
                                                    "Data/Sounds/StopBall.Ogg",
                                                    "Data/Sounds/BallDelete.Wav",
                                                    "Data/Sounds/SeekScoreEnd.Wav",
                                                    "Data/Sounds/ColorRemove.Wav",
                                                    "Data/Sounds/LineFall.Ogg",
                                                    "Data/Sounds/LoadColorEnd.Wav",
                                                    "Data/Sounds/HitWall.Wav",
                                                    "Data/Sounds/Swap.Ogg",
                                                    "Data/Music/Menu.Ogg",
                                                    "Data/Music/A.Ogg"};
    return kFiles;
}

bool SoundGenerator::IsSafeArchivePath(const std::string& path) {
    bool rooted = path.rfind("Data/Sounds/", 0) == 0 || path.rfind("Data/Music/", 0) == 0;
    bool typed = EndsWith(path, ".Wav") || EndsWith(path, ".Ogg");
    if (!rooted || !typed || path.find("..") != std::string::npos || path.find('\\') != std::string::npos ||
        path.find("//") != std::string::npos) {
        return false;
    }
    for (char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
                     c == '.' || c == '_' || c == '-';
        if (!plain) {
            return false;
        }
    }
    return true;
}

bool SoundGenerator::Encode(const std::string& path, AudioBuffer& rendered, GeneratedFile& file,
                            std::vector<std::uint8_t>& bytes) {
    if (EndsWith(path, ".Wav")) {
        bytes = EncodeWav(rendered);
        file.decoded = rendered;
        return true;
    }
    // Vorbis may ring a touch above the rendered peak: measure what a player will decode, and turn the
    // level down until it stays clear of full scale.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!EncodeOgg(rendered, 0.5f, SerialForName(path), bytes) || !DecodeOgg(bytes, file.decoded)) {
            error_ = path + ": Vorbis encoding failed";
            return false;
        }
        double peak = MeasureLevels(file.decoded).peak;
        if (peak <= kDecodedPeakLimit) {
            return true;
        }
        for (float& sample : rendered.samples) {
            sample = static_cast<float>(sample * (kDecodedPeakLimit * 0.97 / peak));
        }
    }
    error_ = path + ": decoded peak stays above -1 dBFS";
    return false;
}

bool SoundGenerator::Build(const SoundRecipe& recipe, GeneratedFile& file, std::vector<std::uint8_t>& bytes) {
    error_.clear();
    std::string headerError;
    RecipeReader header(recipe.Header(), recipe.SourceName(), headerError);
    std::string type = header.Text("type", "");
    file.path = header.Text("file", "");
    if (!IsSafeArchivePath(file.path)) {
        error_ = recipe.SourceName() +
                 ": 'file' must be a path under Data/Sounds/ or Data/Music/ ending in "
                 ".Wav or .Ogg, not '" +
                 file.path + "'";
        return false;
    }
    AudioBuffer rendered;
    std::string renderError;
    if (type == "effect") {
        file.music = false;
        if (!EffectRenderer().Render(recipe, rendered, renderError)) {
            error_ = renderError;
            return false;
        }
    } else if (type == "music") {
        file.music = true;
        if (!EndsWith(file.path, ".Ogg")) {
            error_ = recipe.SourceName() + ": music is streamed as Ogg";
            return false;
        }
        if (!MusicRenderer(musicBars_).Render(recipe, rendered, renderError)) {
            error_ = renderError;
            return false;
        }
    } else {
        error_ = recipe.SourceName() + ": 'type' must be effect or music";
        return false;
    }
    if (!file.music && EndsWith(file.path, ".Ogg")) {
        // Some decoders drop the last few milliseconds of a short Vorbis file; with a little silence at
        // the end they only drop silence, never the end of the fade.
        rendered.samples.resize(rendered.samples.size() +
                                    static_cast<size_t>(kOggEffectPadding * rendered.sampleRate) *
                                        static_cast<size_t>(rendered.channels),
                                0.0f);
    }
    if (!Encode(file.path, rendered, file, bytes)) {
        return false;
    }
    file.bytes = bytes.size();
    return true;
}

bool SoundGenerator::Run(const std::string& outDir, const std::string& recipeDir) {
    error_.clear();
    files_.clear();
    std::vector<fs::path> recipes;
    std::error_code code;
    for (fs::directory_iterator it(recipeDir, code), end; !code && it != end; it.increment(code)) {
        std::error_code typeCode;
        if (it->is_regular_file(typeCode) && it->path().extension() == ".txt") {
            recipes.push_back(it->path());
        }
    }
    if (code) {
        error_ = recipeDir + ": cannot list the recipes (" + code.message() + ")";
        return false;
    }
    std::sort(recipes.begin(), recipes.end());

    std::set<std::string> written;
    for (const fs::path& path : recipes) {
        SoundRecipe recipe;
        if (!recipe.Load(path.string())) {
            error_ = recipe.Error();
            return false;
        }
        GeneratedFile file;
        std::vector<std::uint8_t> bytes;
        if (!Build(recipe, file, bytes)) {
            return false;
        }
        if (!written.insert(file.path).second) {
            error_ = recipe.SourceName() + ": another recipe already makes " + file.path;
            return false;
        }
        if (!WriteAtomically(fs::path(outDir) / file.path, bytes)) {
            error_ = (fs::path(outDir) / file.path).string() + ": cannot be written";
            return false;
        }
        files_.push_back(std::move(file));
    }
    for (const std::string& required : RequiredFiles()) {
        if (written.count(required) == 0) {
            error_ = recipeDir + ": no recipe makes " + required;
            return false;
        }
    }
    return true;
}
