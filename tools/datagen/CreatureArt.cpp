#include "Art.h"
#include "Painter.h"

#include <cmath>

namespace {

struct CreatureLook {
    Rgb body, belly;
    bool wink;
};

// Korrik seen from above: a round furry body that carries the next ball in a pouch (the game draws that ball
// underneath, a few pixels behind the centre, so the pouch is a see-through window small enough to stay
// covered by it at every angle) and holds the ball to fire above its head. The game turns the whole picture
// as the player aims, so the face sits under the pouch, where the ball to fire never covers it, and the turn
// reads as a tilt of the head. Drawn upright: the ball to fire is above the centre.
void DrawCreature(Painter& p, double cx, double cy, const CreatureLook& look) {
    cairo_t* cr = p.Cr();
    const double body = 33;
    // Paws at the sides and ears on top, so the body overlaps them.
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * 31, cy + 12);
        cairo_rotate(cr, side * 0.5);
        cairo_scale(cr, 0.75, 1.0);
        cairo_arc(cr, 0, 0, 8, 0, 2 * M_PI);
        cairo_restore(cr);
        p.SetColour(look.body.Scaled(0.82));
        p.FillAndOutline(2);
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 15, cy - 27);
        cairo_curve_to(cr, cx + side * 24, cy - 45, cx + side * 40, cy - 38, cx + side * 36, cy - 21);
        cairo_close_path(cr);
        p.VerticalGradient(cy - 44, cy - 20, look.body.Mixed(Rgb{1, 1, 1}, 0.25), look.body);
        p.FillAndOutline(2);
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 21, cy - 29);
        cairo_curve_to(cr, cx + side * 26, cy - 38, cx + side * 34, cy - 34, cx + side * 32, cy - 25);
        cairo_close_path(cr);
        p.SetColour(Rgb8(255, 170, 190), 0.9);
        cairo_fill(cr);
    }
    // Furry body: a circle with a soft scalloped edge.
    cairo_new_path(cr);
    const int tufts = 24;
    for (int i = 0; i <= tufts * 4; ++i) {
        const double a = i * 2 * M_PI / (tufts * 4);
        const double r = body + 1.7 * std::cos(a * tufts);
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    p.RadialGradient(cx - 10, cy - 13, 3, body + 6, look.body.Mixed(Rgb{1, 1, 1}, 0.4),
                     look.body.Scaled(0.7));
    p.FillAndOutline(2.5);
    // A lighter muzzle under the pouch where the face sits.
    cairo_save(cr);
    cairo_translate(cr, cx, cy + 19);
    cairo_scale(cr, 1.0, 0.62);
    cairo_arc(cr, 0, 0, 21, 0, 2 * M_PI);
    cairo_restore(cr);
    p.SetColour(look.belly, 0.55);
    cairo_fill(cr);
    // The pouch rim; its inside is cut out below.
    cairo_arc(cr, cx, cy, 12.5, 0, 2 * M_PI);
    p.SetColour(look.belly);
    p.FillAndOutline(2.2);
    // Eyes under the pouch, looking up at the balls: the ball to fire never covers them when aiming upwards.
    for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * 10.5, ey = cy + 19;
        if (!(look.wink && side > 0)) {
            cairo_save(cr);
            cairo_translate(cr, ex, ey);
            cairo_scale(cr, 0.82, 1.0);
            cairo_arc(cr, 0, 0, 6.2, 0, 2 * M_PI);
            cairo_restore(cr);
            p.SetColour(Rgb{1, 1, 1});
            p.FillAndOutline(1.8);
        } else {
            cairo_new_path(cr);
            cairo_arc(cr, ex, ey + 1.5, 3.8, M_PI * 1.1, M_PI * 1.9);
            p.SetColour(kInk);
            cairo_set_line_width(cr, 2.4);
            cairo_stroke(cr);
            continue;
        }
        cairo_arc(cr, ex - side * 0.6, ey - 1.8, 3.1, 0, 2 * M_PI);
        p.SetColour(kInk);
        cairo_fill(cr);
        cairo_arc(cr, ex - side * 0.6 - 1.1, ey - 3.0, 1.1, 0, 2 * M_PI);
        p.SetColour(Rgb{1, 1, 1});
        cairo_fill(cr);
    }
    // Rosy cheeks and a small grin at the bottom.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, cx + side * 21, cy + 21, 3.6, 0, 2 * M_PI);
        p.SetColour(Rgb8(255, 120, 150), 0.6);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy + 24.5, 4.5, M_PI * 0.15, M_PI * 0.85);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // The pouch: see-through, with a glassy glint so it reads as a window.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_arc(cr, cx, cy, 8.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_arc(cr, cx, cy, 8.5, 0, 2 * M_PI);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 6.3, M_PI * 1.05, M_PI * 1.45);
    p.SetColour(Rgb{1, 1, 1}, 0.8);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
}

} // namespace

void DrawKorrik(Painter& p, double cx, double cy, bool menuLook) {
    // A layer of its own, so cutting the pouch open never cuts into what lies underneath.
    cairo_push_group(p.Cr());
    if (menuLook) {
        DrawCreature(p, cx, cy, CreatureLook{Rgb8(236, 120, 84), Rgb8(255, 206, 170), true});
    } else {
        DrawCreature(p, cx, cy, CreatureLook{Rgb8(132, 96, 204), Rgb8(200, 180, 250), false});
    }
    cairo_pop_group_to_source(p.Cr());
    cairo_paint(p.Cr());
}

void DrawCreatureArt(PictureSet& set) {
    const int size = 92;
    {
        // The game's launcher turns clockwise by the aim angle measured from the right, so it points up at a
        // quarter turn: drawn lying on its side.
        cairo_surface_t* s = set.Add("Korrik", size, size);
        Painter p(s);
        cairo_translate(p.Cr(), size / 2.0, size / 2.0);
        cairo_rotate(p.Cr(), -M_PI / 2);
        DrawKorrik(p, 0, 0, false);
    }
    {
        // The menu's creature turns from upright.
        cairo_surface_t* s = set.Add("KorrikMenu", size, size);
        Painter p(s);
        DrawKorrik(p, size / 2.0, size / 2.0, true);
    }
}
