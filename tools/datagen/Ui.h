// The shared look of the interface: dialog frames, title ribbons, buttons in their three states.
#pragma once

#include "Painter.h"

// The rows of every button picture, in the order the game expects them.
enum class ButtonState { Normal, Highlighted, Disabled, Pressed };
constexpr ButtonState kButtonStates[4] = {ButtonState::Normal, ButtonState::Highlighted,
                                          ButtonState::Disabled, ButtonState::Pressed};

struct ButtonColours {
    Rgb top, bottom;
};
extern const ButtonColours kOrangeButton, kGreenButton, kRedButton, kBlueButton;

// Confines drawing to one frame of a picture less a 1-pixel border, so a frame never reaches its
// neighbour (a filtering renderer samples across the edge). Pair with cairo_restore.
void ClipFrame(Painter& p, double x, double y, double w, double h);
// A dialog body with its golden rim and shadow, inside the rectangle (the shadow needs about 10 pixels).
void DrawPanelFrame(Painter& p, double x, double y, double w, double h);
// A ribbon across the top edge of a panel, with its title.
void DrawTitleRibbon(Painter& p, double cx, double cy, const std::string& title, double width);
// A rounded button filling the rectangle (less its shadow) in the given state.
void DrawButton(Painter& p, double x, double y, double w, double h, const std::string& label, double textSize,
                const ButtonColours& colours, ButtonState state);
// A sunken field, as the name entry and the score display use.
// A white ring over a wider dark one, centred at (cx, cy): light enough for the game to tint.
void DrawInkedRing(Painter& p, double cx, double cy, double radius, double width);
void DrawInset(Painter& p, double x, double y, double w, double h, double radius);
// Left-aligned or right-aligned outlined text (OutlinedText centres).
void TextFrom(Painter& p, const std::string& text, double x, double y, double size, const Rgb& colour,
              int align);
