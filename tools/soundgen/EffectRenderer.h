// Renders a short sound effect from its recipe: layered voices, a touch of echo and room, soft edges.
#pragma once

#include "AudioBuffer.h"
#include "SoundRecipe.h"

#include <string>

class EffectRenderer {
public:
    // False with error set when the recipe is not a valid effect.
    bool Render(const SoundRecipe& recipe, AudioBuffer& out, std::string& error) const;
};
