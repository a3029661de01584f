// Renders a looping music piece from its recipe: instruments, step patterns and a sequence of sections.
#pragma once

#include "AudioBuffer.h"
#include "SoundRecipe.h"

#include <string>

class MusicRenderer {
public:
    // Renders only the first maxBars bars of the sequence when maxBars > 0 (quick checks); the result
    // still loops seamlessly.
    explicit MusicRenderer(int maxBars = 0) : maxBars_(maxBars) {}

    // False with error set when the recipe is not valid music.
    bool Render(const SoundRecipe& recipe, AudioBuffer& out, std::string& error) const;

private:
    int maxBars_;
};
