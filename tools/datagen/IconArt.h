// The game's desktop icon in the usual theme sizes, as PNG files.
#pragma once

#include "Picture.h"

#include <string>
#include <vector>

// Square sizes in pixels, smallest first.
const std::vector<int>& IconSizes();
// Writes folder/NxN/apps/name.png, the icon theme layout, for every size; false when a file could not
// be written.
bool WriteIcons(const std::string& folder, const std::string& name);
// The window's own icon, "Icon" in the game's archive: the desktop shows it in title bars and task lists.
constexpr int kWindowIconSize = 64;
void DrawIconArt(PictureSet& set);
