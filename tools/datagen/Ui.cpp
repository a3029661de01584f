#include "Ui.h"

#include <cmath>

const ButtonColours kOrangeButton{Rgb8(255, 206, 84), Rgb8(242, 128, 38)};
const ButtonColours kGreenButton{Rgb8(150, 230, 110), Rgb8(52, 160, 64)};
const ButtonColours kRedButton{Rgb8(255, 150, 130), Rgb8(214, 64, 74)};
const ButtonColours kBlueButton{Rgb8(130, 200, 255), Rgb8(52, 110, 214)};

void ClipFrame(Painter& p, double x, double y, double w, double h) {
    cairo_t* cr = p.Cr();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
    cairo_clip(cr);
    cairo_new_path(cr);
}

void DrawPanelFrame(Painter& p, double x, double y, double w, double h) {
    cairo_t* cr = p.Cr();
    const double radius = 24;
    p.SoftShadow(
        [&](cairo_t* s) {
            const double r = radius;
            cairo_new_sub_path(s);
            cairo_arc(s, x + w - r, y + r, r, -M_PI / 2, 0);
            cairo_arc(s, x + w - r, y + h - r, r, 0, M_PI / 2);
            cairo_arc(s, x + r, y + h - r, r, M_PI / 2, M_PI);
            cairo_arc(s, x + r, y + r, r, M_PI, 1.5 * M_PI);
            cairo_close_path(s);
        },
        3, 5, 8, 0.55);
    // Golden rim.
    p.RoundedRect(x, y, w, h, radius);
    p.VerticalGradient(y, y + h, Rgb8(255, 228, 130), Rgb8(226, 150, 52));
    p.FillAndOutline(3);
    // Body: a friendly deep blue with light falling from the top.
    p.RoundedRect(x + 9, y + 9, w - 18, h - 18, radius - 8);
    p.VerticalGradient(y + 9, y + h - 9, Rgb8(98, 118, 222), Rgb8(52, 58, 150));
    cairo_fill_preserve(cr);
    p.SetColour(kInk, 0.85);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A soft sheen across the upper part of the body.
    p.RoundedRect(x + 14, y + 14, w - 28, std::min(70.0, h * 0.3), radius - 12);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y + 14, 0, y + 14 + std::min(70.0, h * 0.3));
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // Little rivets in the rim corners, a hand-made touch.
    const double inset = 4.6;
    const double cx[4] = {x + radius * 0.55, x + w - radius * 0.55, x + radius * 0.55, x + w - radius * 0.55};
    const double cy[4] = {y + radius * 0.55, y + radius * 0.55, y + h - radius * 0.55, y + h - radius * 0.55};
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, cx[i] + (i % 2 == 0 ? -inset * 0.3 : inset * 0.3),
                  cy[i] + (i < 2 ? -inset * 0.3 : inset * 0.3), 2.4, 0, 2 * M_PI);
        p.SetColour(Rgb8(255, 246, 200));
        p.FillAndOutline(1.2);
    }
}

void DrawTitleRibbon(Painter& p, double cx, double cy, const std::string& title, double width) {
    cairo_t* cr = p.Cr();
    const double h = 40;
    // Ribbon tails behind the band.
    for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * width / 2;
        cairo_new_path(cr);
        cairo_move_to(cr, ex - side * 16, cy - h / 2 + 8);
        cairo_line_to(cr, ex + side * 22, cy - h / 2 + 8);
        cairo_line_to(cr, ex + side * 12, cy + 4);
        cairo_line_to(cr, ex + side * 22, cy + h / 2 + 8);
        cairo_line_to(cr, ex - side * 16, cy + h / 2 + 8);
        cairo_close_path(cr);
        p.SetColour(Rgb8(196, 66, 90));
        p.FillAndOutline(2.5);
    }
    p.RoundedRect(cx - width / 2, cy - h / 2, width, h, 12);
    p.VerticalGradient(cy - h / 2, cy + h / 2, Rgb8(255, 140, 140), Rgb8(226, 72, 96));
    p.FillAndOutline(3);
    p.RoundedRect(cx - width / 2 + 6, cy - h / 2 + 4, width - 12, 10, 5);
    p.SetColour(Rgb{1, 1, 1}, 0.25);
    cairo_fill(cr);
    const Rgb bottom = Rgb8(255, 236, 170);
    p.OutlinedText(title, cx, cy + 8.5, 24, Rgb{1, 1, 1}, 3, FontStyle::Bold, &bottom);
}

void DrawButton(Painter& p, double x, double y, double w, double h, const std::string& label, double textSize,
                const ButtonColours& colours, ButtonState state) {
    cairo_t* cr = p.Cr();
    const double bw = w - 8, bh = h - 8; // leave room for the shadow and the frame's clear border
    const double r = bh / 2;
    const bool disabled = state == ButtonState::Disabled;
    const bool pressed = state == ButtonState::Pressed;
    Rgb top = colours.top, bottom = colours.bottom;
    if (state == ButtonState::Highlighted) {
        top = top.Mixed(Rgb{1, 1, 1}, 0.45);
        bottom = bottom.Mixed(Rgb{1, 1, 1}, 0.3);
    } else if (pressed) {
        // Held down: deeper colours, lit from below, as if the face had sunk into its shadow.
        top = colours.bottom.Scaled(0.78);
        bottom = colours.top.Mixed(colours.bottom, 0.5).Scaled(0.95);
    } else if (disabled) {
        const double gt = (top.r + top.g + top.b) / 3, gb = (bottom.r + bottom.g + bottom.b) / 3;
        top = Rgb{gt, gt, gt + 0.04}.Mixed(Rgb8(170, 168, 190), 0.5);
        bottom = Rgb{gb, gb, gb + 0.04}.Mixed(Rgb8(120, 118, 140), 0.5);
    }
    // The face rises a pixel under the mouse and sinks two when pressed; the shadow stays put.
    const double lift = state == ButtonState::Highlighted ? -1.0 : (pressed ? 2.0 : 0.0);
    const double left = x + 2, face = y + 2 + lift;
    p.RoundedRect(left + 3, y + 2 + 4, bw, bh, r);
    p.SetColour(kInk, disabled ? 0.25 : (pressed ? 0.3 : 0.45));
    cairo_fill(cr);
    if (state == ButtonState::Highlighted || pressed) {
        // A warm glow around the button under the mouse.
        p.RoundedRect(left - 1, face - 1, bw + 2, bh + 2, r + 1);
        p.SetColour(Rgb8(255, 255, 190), pressed ? 0.6 : 0.9);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    p.RoundedRect(left, face, bw, bh, r);
    p.VerticalGradient(face, face + bh, top, bottom);
    p.FillAndOutline(2.5);
    if (pressed) {
        // The rim's shadow falls inside along the top edge of a sunken face.
        cairo_save(cr);
        p.RoundedRect(left, face, bw, bh, r);
        cairo_clip(cr);
        p.RoundedRect(left, face - 4, bw, bh, r);
        p.SetColour(kInk, 0.35);
        cairo_set_line_width(cr, 6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    // Gloss band on the upper half, dimmer on a pressed or disabled face.
    p.RoundedRect(left + r * 0.45, face + 3, bw - r * 0.9, bh * 0.38, bh * 0.19);
    p.SetColour(Rgb{1, 1, 1}, disabled ? 0.18 : (pressed ? 0.14 : 0.42));
    cairo_fill(cr);
    const Rgb text = disabled ? Rgb8(214, 212, 224) : Rgb{1, 1, 1};
    const double outline = disabled ? 2.0 : 2.6;
    const double baseline = face + bh / 2 + textSize * 0.36;
    if (disabled) {
        cairo_push_group(cr);
        p.OutlinedText(label, left + bw / 2, baseline, textSize, text, outline);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.65);
    } else {
        p.OutlinedText(label, left + bw / 2, baseline, textSize, text, outline);
    }
}

void DrawInset(Painter& p, double x, double y, double w, double h, double radius) {
    cairo_t* cr = p.Cr();
    p.RoundedRect(x, y, w, h, radius);
    p.VerticalGradient(y, y + h, Rgb8(24, 22, 60), Rgb8(48, 50, 110));
    p.FillAndOutline(2);
    p.RoundedRect(x + 3, y + h - 5, w - 6, 2, 1);
    p.SetColour(Rgb{1, 1, 1}, 0.12);
    cairo_fill(cr);
}

void TextFrom(Painter& p, const std::string& text, double x, double y, double size, const Rgb& colour,
              int align) {
    const double w = p.TextWidth(text, size);
    const double cx = align < 0 ? x + w / 2 : (align > 0 ? x - w / 2 : x);
    p.OutlinedText(text, cx, y, size, colour, size > 20 ? 3 : 2.2);
}

void DrawInkedRing(Painter& p, double cx, double cy, double radius, double width) {
    cairo_t* cr = p.Cr();
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
        if (pass == 0) {
            p.SetColour(kInk, 0.9);
        } else {
            p.SetColour(Rgb{1, 1, 1});
        }
        cairo_set_line_width(cr, pass == 0 ? width + 2.7 : width);
        cairo_stroke(cr);
    }
}
