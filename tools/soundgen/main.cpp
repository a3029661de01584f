// soundgen OUTDIR RECIPEDIR: synthesises every sound effect and music piece of the game from its recipe.
#include "Dsp.h"
#include "SoundGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: soundgen [--quiet] [--music-bars N] OUTDIR RECIPEDIR\n");
    return 2;
}

void Report(const GeneratedFile& file) {
    SoundLevels levels = MeasureLevels(file.decoded);
    std::printf("%-42s %5d Hz %d ch %7.3f s %8zu bytes  peak %6.1f dBFS  rms %6.1f dBFS", file.path.c_str(),
                file.decoded.sampleRate, file.decoded.channels, file.decoded.Seconds(), file.bytes,
                GainToDecibels(levels.peak), GainToDecibels(levels.rms));
    if (file.music) {
        std::printf("  seam %.4f (largest step %.4f)", levels.seamStep, levels.largestStep);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    int musicBars = 0;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--quiet") {
            quiet = true;
        } else if (argument == "--music-bars" && i + 1 < argc) {
            musicBars = std::atoi(argv[++i]);
            if (musicBars <= 0) {
                return Usage();
            }
        } else if (!argument.empty() && argument[0] == '-') {
            return Usage();
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2) {
        return Usage();
    }
    SoundGenerator generator(musicBars);
    bool ok = generator.Run(positional[0], positional[1]);
    if (!quiet) {
        for (const GeneratedFile& file : generator.Files()) {
            Report(file);
        }
    }
    if (!ok) {
        std::fprintf(stderr, "soundgen: %s\n", generator.Error().c_str());
        return 1;
    }
    return 0;
}
