#include "Art.h"
#include "Painter.h"

#include <cmath>

namespace {

struct CreatureLook {
    Rgb body, belly;
    bool wink;
};

void Oval(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// Korrik standing upright: it holds the ball to fire over its head (the game draws that ball 31 pixels above
// the centre) and looks up at it, so its face sits just below the ball and turns with the aim. The next ball
// rides in a pouch on its belly: the game draws it underneath, about 7 pixels below the centre, and the pouch
// is a see-through window small enough to stay covered by it.
void DrawCreature(Painter& p, double cx, double cy, const CreatureLook& look) {
    cairo_t* cr = p.Cr();
    const double body = 33;
    // Feet at the bottom and ears on top, so the body overlaps them.
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * 22, cy + 28);
        cairo_rotate(cr, side * 0.35);
        cairo_scale(cr, 1.0, 0.7);
        cairo_arc(cr, 0, 0, 9, 0, 2 * M_PI);
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
    // Little arms reaching up towards the ball.
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 27, cy + 4);
        cairo_curve_to(cr, cx + side * 33, cy - 8, cx + side * 27, cy - 20, cx + side * 19, cy - 24);
        p.SetColour(kInk, 0.55);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    }
    // A lighter face and a lighter belly around the pouch.
    Oval(cr, cx, cy - 7, 21, 13);
    p.SetColour(look.belly, 0.5);
    cairo_fill(cr);
    Oval(cr, cx, cy + 13, 16, 13);
    p.SetColour(look.belly, 0.45);
    cairo_fill(cr);
    // Eyes looking up at the ball to fire, which never covers them.
    for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * 9, ey = cy - 9;
        if (look.wink && side > 0) {
            cairo_new_path(cr);
            cairo_arc(cr, ex, ey + 1.5, 3.8, M_PI * 1.1, M_PI * 1.9);
            p.SetColour(kInk);
            cairo_set_line_width(cr, 2.4);
            cairo_stroke(cr);
            continue;
        }
        Oval(cr, ex, ey, 4.6, 5.6);
        p.SetColour(Rgb{1, 1, 1});
        p.FillAndOutline(1.8);
        cairo_arc(cr, ex - side * 0.4, ey - 1.8, 2.8, 0, 2 * M_PI);
        p.SetColour(kInk);
        cairo_fill(cr);
        cairo_arc(cr, ex - side * 0.4 - 1.0, ey - 2.9, 1.0, 0, 2 * M_PI);
        p.SetColour(Rgb{1, 1, 1});
        cairo_fill(cr);
    }
    // Rosy cheeks and a small grin.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, cx + side * 18.5, cy - 2.5, 3.4, 0, 2 * M_PI);
        p.SetColour(Rgb8(255, 120, 150), 0.6);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy - 4.5, 3.6, M_PI * 0.15, M_PI * 0.85);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    // The pouch: a rim and a see-through window with a glassy glint.
    const double pouchY = cy + 12;
    cairo_arc(cr, cx, pouchY, 10.5, 0, 2 * M_PI);
    p.SetColour(look.belly);
    p.FillAndOutline(2.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_arc(cr, cx, pouchY, 7.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_arc(cr, cx, pouchY, 7.5, 0, 2 * M_PI);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, pouchY, 5.4, M_PI * 1.05, M_PI * 1.45);
    p.SetColour(Rgb8(200, 230, 255), 0.7);
    cairo_set_line_width(cr, 1.5);
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
    // Both drawn upright; the game and the menu turn them to face along the aim.
    const char* names[] = {"Korrik", "KorrikMenu"};
    for (int menu = 0; menu < 2; ++menu) {
        cairo_surface_t* s = set.Add(names[menu], size, size);
        Painter p(s);
        DrawKorrik(p, size / 2.0, size / 2.0, menu == 1);
    }
}
