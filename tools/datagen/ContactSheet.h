// Review aids: every picture on one sheet with its name and frames outlined, and mock-ups of the screens.
#pragma once

#include "FontArt.h"
#include "Picture.h"

#include <string>

bool WriteContactSheet(PictureSet& set, const std::string& path);
// Writes path with "-game", "-menu" and "-dialogs" variants: the pictures composed as the game shows them,
// the help with the texts of the language file.
bool WriteMockScreens(PictureSet& set, const std::vector<FontDescription>& fonts,
                      const std::string& languageFile, const std::string& path);
