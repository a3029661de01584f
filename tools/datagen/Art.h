// The drawing entry points: each adds its pictures to the set.
#pragma once

#include "Picture.h"

// Board geometry the art is drawn for; "Data/Map.Txt" carries the same values.
constexpr int kBubbleRadius = 16;
constexpr int kBoardColumns = 12;
constexpr int kBoardRows = 14;
constexpr double kLauncherX = 400, kLauncherY = 570;

void DrawBallArt(PictureSet& set);
void DrawCreatureArt(PictureSet& set);
void DrawInterfaceArt(PictureSet& set);
void DrawScreenArt(PictureSet& set);

class Painter;
// The creature, upright with its pouch at (cx, cy): the launcher's look or the menu's.
void DrawKorrik(Painter& p, double cx, double cy, bool menuLook);

// Board cell centre, the same arithmetic as the game's.
void CellCentre(int x, int y, double& px, double& py);
// Positions of the six missed-shot markers on the game screen.
extern const double kMarkerPositions[6][2];
