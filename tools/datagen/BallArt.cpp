#include "Art.h"
#include "Painter.h"

#include <cmath>
#include <string>

namespace {

constexpr int kBall = 2 * kBubbleRadius;

// Frames 0..7 let the ball grow out of a white flash; frame 8 is the ball at rest.
double AppearScale(int frame) {
    static const double scales[9] = {0.22, 0.38, 0.54, 0.68, 0.8, 0.9, 0.96, 1.0, 1.0};
    return scales[frame];
}

void DrawBubbles(PictureSet& set, int id) {
    cairo_surface_t* s = set.Add("Bubbles/" + std::to_string(id), kBall * 9, kBall, 9, 1);
    Painter p(s);
    for (int f = 0; f < 9; ++f) {
        const double cx = f * kBall + kBall / 2.0, cy = kBall / 2.0;
        const double k = AppearScale(f);
        const double flash = f < 8 ? (1.0 - f / 7.0) * 0.75 : 0.0;
        const Rgb colour = kBallColours[id].Mixed(Rgb{1, 1, 1}, flash);
        if (f < 5) {
            // A soft glow behind the young ball.
            p.RadialGradient(cx, cy, 0, kBall * 0.5, Rgb{1, 1, 1}, kBallColours[id], 0.8 * (1 - f / 5.0),
                             0.0);
            cairo_arc(p.Cr(), cx, cy, kBall * 0.5, 0, 2 * M_PI);
            cairo_fill(p.Cr());
        }
        p.Ball(cx, cy, kBubbleRadius * k, colour, id, f < 3 ? 0.0 : (f - 2) / 6.0);
        if (f < 6) {
            p.Star(cx + 6 * k, cy - 6 * k, 7 * (1 - f / 6.0) + 2, 1.2, 4, f * 0.3);
            p.SetColour(Rgb{1, 1, 1}, 0.9);
            cairo_fill(p.Cr());
        }
    }
}

void DrawShadow(PictureSet& set) {
    cairo_surface_t* s = set.Add("Bubbles/Shadow", kBall * 9, kBall, 9, 1);
    {
        Painter p(s);
        for (int f = 0; f < 9; ++f) {
            const double k = AppearScale(f);
            cairo_save(p.Cr());
            cairo_translate(p.Cr(), f * kBall + kBall / 2.0 + 2.0 * k, kBall / 2.0 + 3.0 * k);
            cairo_scale(p.Cr(), 1.0, 0.92);
            cairo_arc(p.Cr(), 0, 0, (kBubbleRadius - 3.0) * k, 0, 2 * M_PI);
            cairo_restore(p.Cr());
            p.SetColour(Rgb{0.05, 0.03, 0.1}, 1.0);
            cairo_fill(p.Cr());
        }
    }
    BlurSurface(s, 3);
}

void DrawBurst(PictureSet& set, int id) {
    const int n = 16;
    cairo_surface_t* s = set.Add("ExpBubbles/" + std::to_string(id), kBall * n, kBall, n, 1);
    Painter p(s);
    const Rgb c = kBallColours[id];
    for (int f = 0; f < n; ++f) {
        const double t = f / double(n - 1);
        const double cx = f * kBall + kBall / 2.0, cy = kBall / 2.0;
        cairo_save(p.Cr());
        cairo_rectangle(p.Cr(), f * kBall, 0, kBall, kBall);
        cairo_clip(p.Cr());
        if (f < 6) {
            // The pop: a ring of the ball's colour that widens and thins.
            const double rr = 9 + f * 1.3;
            cairo_arc(p.Cr(), cx, cy, rr, 0, 2 * M_PI);
            p.SetColour(c.Mixed(Rgb{1, 1, 1}, 0.3), 0.9 * (1 - f / 6.0));
            cairo_set_line_width(p.Cr(), 3.5 - f * 0.5);
            cairo_stroke(p.Cr());
        }
        // A glossy droplet that shrinks and fades as the particle dies.
        const double dr = 9.0 * (1 - 0.6 * t);
        const double alpha = std::max(0.0, 1.0 - std::pow(t, 1.6));
        cairo_push_group(p.Cr());
        p.Ball(cx, cy, dr, c, -1);
        cairo_pop_group_to_source(p.Cr());
        cairo_paint_with_alpha(p.Cr(), alpha);
        // A twinkle that turns.
        p.Star(cx, cy, 4 + 6 * (1 - t), 1.0, 4, t * 2.0);
        p.SetColour(Rgb{1, 1, 1}, 0.85 * alpha);
        cairo_fill(p.Cr());
        cairo_restore(p.Cr());
    }
}

void DrawPiece(PictureSet& set, int id, int kind) {
    const int n = 16;
    cairo_surface_t* s =
        set.Add("ExpBubbles/" + std::to_string(id) + "/" + std::to_string(kind), kBall * n, kBall, n, 1);
    Painter p(s);
    const Rgb c = kBallColours[id];
    for (int f = 0; f < n; ++f) {
        const double t = f / double(n - 1);
        const double alpha = t < 0.6 ? 1.0 : 1.0 - (t - 0.6) / 0.4;
        cairo_t* cr = p.Cr();
        cairo_save(cr);
        cairo_translate(cr, f * kBall + kBall / 2.0, kBall / 2.0);
        cairo_rotate(cr, t * 2 * M_PI * (kind == 0 ? 1.0 : -0.75));
        cairo_push_group(cr);
        if (kind == 0) {
            // A curved piece of the shell.
            cairo_new_path(cr);
            cairo_arc(cr, 0, 4, 11, -2.4, -0.75);
            cairo_arc_negative(cr, 0, 4, 6, -0.75, -2.4);
            cairo_close_path(cr);
            p.VerticalGradient(-8, 2, c.Mixed(Rgb{1, 1, 1}, 0.45), c.Scaled(0.8));
            p.FillAndOutline(1.2);
        } else {
            p.Star(0, 0, 7.5, 3.2, 5);
            p.VerticalGradient(-7, 7, c.Mixed(Rgb{1, 1, 1}, 0.6), c);
            p.FillAndOutline(1.2);
        }
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
    }
}

void DrawMoveMarker(PictureSet& set, int i) {
    const int size = 24;
    cairo_surface_t* s = set.Add("Moves/" + std::to_string(i), size, size);
    Painter p(s);
    // A little gem with a star: one of the shots the player may still miss.
    cairo_t* cr = p.Cr();
    const Rgb gold = Rgb8(255, 214, 84);
    p.Star(12, 12.5, 11, 5.2, 5, (i % 2 == 0 ? 0.08 : -0.08));
    p.RadialGradient(9, 8, 1, 13, gold.Mixed(Rgb{1, 1, 1}, 0.6), Rgb8(236, 150, 30));
    p.FillAndOutline(1.6);
    cairo_arc(cr, 9.5, 9.5, 2.0, 0, 2 * M_PI);
    p.SetColour(Rgb{1, 1, 1}, 0.9);
    cairo_fill(cr);
}

} // namespace

void DrawBallArt(PictureSet& set) {
    for (int id = 0; id < 6; ++id) {
        DrawBubbles(set, id);
    }
    DrawShadow(set);
    for (int id = 0; id < 6; ++id) {
        DrawBurst(set, id);
        DrawPiece(set, id, 0);
        DrawPiece(set, id, 1);
    }
    for (int i = 0; i < 6; ++i) {
        DrawMoveMarker(set, i);
    }
}
