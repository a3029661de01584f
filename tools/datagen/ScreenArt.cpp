#include "Art.h"
#include "Layout.h"
#include "Ui.h"

#include <cmath>
#include <cstdint>

const double kMarkerPositions[6][2] = {{554, 560}, {577, 552}, {603, 543},
                                       {626, 545}, {646, 536}, {669, 540}};

void CellCentre(int x, int y, double& px, double& py) {
    const int r = kBubbleRadius;
    double x0 = (804 - kBoardColumns * 2 * r) * 0.5 + r / 2;
    if (y % 2 != 0) {
        x0 += r;
    }
    px = x0 + 2 * r * x;
    py = 1.5 * r + 20 + 2 * r * y;
}

namespace {

enum class Mood { Day, Dusk };

// A tiny deterministic generator so scattered details land in the same places on every build.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / 16777216.0;
    }

private:
    std::uint32_t state_;
};

void Sky(Painter& p, Mood mood, double horizon, double sunX = 90, double sunY = 80) {
    cairo_t* cr = p.Cr();
    if (mood == Mood::Day) {
        p.VerticalGradient(0, horizon, Rgb8(98, 170, 240), Rgb8(200, 232, 255));
    } else {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, horizon);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.22, 0.16, 0.45);
        cairo_pattern_add_color_stop_rgb(g, 0.55, 0.72, 0.36, 0.58);
        cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.72, 0.45);
        cairo_set_source(cr, g);
        cairo_pattern_destroy(g);
    }
    cairo_paint(cr);
    Scatter sc(mood == Mood::Day ? 7 : 11);
    if (mood == Mood::Dusk) {
        for (int i = 0; i < 70; ++i) {
            const double x = sc.Next() * 800, y = sc.Next() * horizon * 0.6, r = 0.6 + sc.Next() * 1.3;
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            p.SetColour(Rgb{1, 1, 0.9}, 0.5 + sc.Next() * 0.5);
            cairo_fill(cr);
        }
        p.RadialGradient(sunX, sunY, 20, 70, Rgb8(255, 250, 220), Rgb8(255, 250, 220), 0.5, 0.0);
        cairo_arc(cr, sunX, sunY, 70, 0, 2 * M_PI);
        cairo_fill(cr);
        // A crescent moon.
        cairo_push_group(cr);
        cairo_arc(cr, sunX, sunY, 28, 0, 2 * M_PI);
        p.SetColour(Rgb8(255, 248, 214));
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_arc(cr, sunX + 13, sunY - 8, 24, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
    } else {
        cairo_arc(cr, sunX, sunY, 90, 0, 2 * M_PI);
        p.RadialGradient(sunX, sunY, 30, 90, Rgb8(255, 250, 200), Rgb8(255, 250, 200), 0.7, 0.0);
        cairo_fill(cr);
        cairo_arc(cr, sunX, sunY, 34, 0, 2 * M_PI);
        p.RadialGradient(sunX - 8, sunY - 8, 4, 36, Rgb8(255, 255, 230), Rgb8(255, 214, 80));
        cairo_fill(cr);
    }
    // Soft clouds.
    for (int i = 0; i < 7; ++i) {
        const double x = sc.Next() * 800, y = 40 + sc.Next() * horizon * 0.5, s = 0.7 + sc.Next() * 0.7;
        for (int k = 0; k < 5; ++k) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x + (k - 2) * 22 * s, y - (k == 2 ? 12 : (k % 2) * 6) * s,
                      (18 + (k == 2 ? 8 : 0)) * s, 0, 2 * M_PI);
        }
        if (mood == Mood::Day) {
            p.VerticalGradient(y - 40 * s, y + 18 * s, Rgb{1, 1, 1}, Rgb8(220, 232, 250), 0.9);
        } else {
            p.VerticalGradient(y - 40 * s, y + 18 * s, Rgb8(255, 200, 200), Rgb8(170, 110, 170), 0.6);
        }
        cairo_fill(cr);
    }
}

void Hills(Painter& p, Mood mood, double base) {
    cairo_t* cr = p.Cr();
    const Rgb far = mood == Mood::Day ? Rgb8(120, 200, 120) : Rgb8(86, 96, 150);
    const Rgb near = mood == Mood::Day ? Rgb8(80, 176, 80) : Rgb8(56, 120, 110);
    for (int layer = 0; layer < 2; ++layer) {
        const double y0 = base + layer * 40;
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 600);
        for (int x = 0; x <= 800; x += 10) {
            const double y = y0 - 30 * std::sin(x / (layer == 0 ? 130.0 : 95.0) + layer * 2.0) -
                             12 * std::sin(x / 41.0 + layer);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, 800, 600);
        cairo_close_path(cr);
        const Rgb c = layer == 0 ? far : near;
        p.VerticalGradient(y0 - 40, 600, c.Mixed(Rgb{1, 1, 1}, 0.15), c.Scaled(0.7));
        cairo_fill_preserve(cr);
        p.SetColour(kInk, 0.35);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    Scatter sc(mood == Mood::Day ? 3 : 5);
    const Rgb petals[4] = {Rgb8(255, 240, 120), Rgb8(255, 150, 170), Rgb{1, 1, 1}, Rgb8(190, 170, 255)};
    for (int i = 0; i < 60; ++i) {
        const double x = sc.Next() * 800, y = base + 60 + sc.Next() * (600 - base - 60);
        const double r = 2 + sc.Next() * 2.5;
        const Rgb c = petals[static_cast<int>(sc.Next() * 4) % 4];
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5;
            cairo_arc(cr, x + r * std::cos(a), y + r * std::sin(a), r * 0.75, 0, 2 * M_PI);
            p.SetColour(mood == Mood::Day ? c : c.Scaled(0.7), 0.95);
            cairo_fill(cr);
        }
        cairo_arc(cr, x, y, r * 0.5, 0, 2 * M_PI);
        p.SetColour(Rgb8(255, 190, 60));
        cairo_fill(cr);
    }
}

void Logo(Painter& p, double cx, double cy, double scale) {
    const Rgb bottom = Rgb8(255, 170, 40);
    p.OutlinedText("KORRIK", cx, cy, 64 * scale, Rgb8(255, 246, 170), 5 * scale, FontStyle::Bold, &bottom);
    const Rgb bottom2 = Rgb8(120, 200, 255);
    p.OutlinedText("SHOOTER", cx + 4 * scale, cy + 40 * scale, 34 * scale, Rgb{1, 1, 1}, 4 * scale,
                   FontStyle::Bold, &bottom2);
    // Three balls dance around the word.
    p.Ball(cx - 128 * scale, cy - 40 * scale, 15 * scale, kBallColours[1], 1);
    p.Ball(cx + 132 * scale, cy - 44 * scale, 13 * scale, kBallColours[0], 0);
    p.Ball(cx + 150 * scale, cy - 14 * scale, 10 * scale, kBallColours[3], 3);
}

// A round tree on the left of the game screen that grows balls instead of apples.
void BallTree(Painter& p, Mood mood, double x, double ground) {
    cairo_t* cr = p.Cr();
    const double dim = mood == Mood::Day ? 1.0 : 0.72;
    cairo_new_path(cr);
    cairo_move_to(cr, x - 14, ground);
    cairo_curve_to(cr, x - 8, ground - 60, x - 14, ground - 120, x - 4, ground - 170);
    cairo_line_to(cr, x + 8, ground - 170);
    cairo_curve_to(cr, x + 4, ground - 120, x + 12, ground - 60, x + 20, ground);
    cairo_close_path(cr);
    p.VerticalGradient(ground - 170, ground, Rgb8(170, 110, 70).Scaled(dim), Rgb8(120, 74, 44).Scaled(dim));
    p.FillAndOutline(2.5);
    const double blobs[6][3] = {{0, -200, 52},   {-42, -176, 38}, {44, -178, 38},
                                {-26, -236, 36}, {30, -232, 34},  {0, -150, 34}};
    // Outline every blob first and fill over it, so only the outer edge of the canopy keeps its line.
    auto canopy = [&]() {
        cairo_new_path(cr);
        for (const auto& b : blobs) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x + b[0], ground + b[1], b[2], 0, 2 * M_PI);
        }
    };
    canopy();
    p.SetColour(kInk);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    canopy();
    const Rgb leaf = mood == Mood::Day ? Rgb8(96, 190, 86) : Rgb8(70, 140, 120);
    p.VerticalGradient(ground - 272, ground - 116, leaf.Mixed(Rgb{1, 1, 1}, 0.25), leaf.Scaled(0.7));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    // Inner highlights on the canopy.
    for (const auto& b : blobs) {
        cairo_arc(cr, x + b[0] - b[2] * 0.3, ground + b[1] - b[2] * 0.35, b[2] * 0.35, 0, 2 * M_PI);
        p.SetColour(Rgb{1, 1, 1}, 0.12);
        cairo_fill(cr);
    }
    const double fruit[5][3] = {{-40, -170, 1}, {22, -212, 3}, {44, -168, 4}, {-16, -226, 0}, {6, -160, 5}};
    for (const auto& f : fruit) {
        p.Ball(x + f[0], ground + f[1], 11, kBallColours[static_cast<int>(f[2])].Scaled(dim),
               static_cast<int>(f[2]));
    }
    if (mood == Mood::Dusk) {
        Scatter sc(23);
        for (int i = 0; i < 12; ++i) {
            const double fx = x - 80 + sc.Next() * 160, fy = ground - 300 + sc.Next() * 250;
            p.RadialGradient(fx, fy, 0, 7, Rgb8(255, 250, 170), Rgb8(255, 230, 120), 0.9, 0.0);
            cairo_arc(cr, fx, fy, 7, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
}

void GameBackground(PictureSet& set, const std::string& name, Mood mood) {
    cairo_surface_t* s = set.Add(name, 800, 600, 1, 1, PictureFormat::Jpg);
    Painter p(s);
    cairo_t* cr = p.Cr();
    Sky(p, mood, 420, 92, 150);
    Hills(p, mood, 430);
    BallTree(p, mood, 96, 520);
    const double left = 202 - 16, right = 602 + 16, top = 10, bottom = 516;
    // The frame's shadow on the scenery, then the frame.
    p.SoftShadow([&](cairo_t* c) { cairo_rectangle(c, left, top, right - left, bottom - top); }, 5, 7, 10,
                 0.5);
    p.RoundedRect(left, top, right - left, bottom - top, 18);
    p.VerticalGradient(top, bottom, Rgb8(255, 214, 120), Rgb8(214, 134, 52));
    p.FillAndOutline(3);
    // The well the balls hang in: a deep night-blue glass over the scenery.
    const double wl = 202, wr = 602, wt = 28, wb = 500;
    p.RoundedRect(wl - 2, wt - 2, wr - wl + 4, wb - wt + 4, 8);
    p.VerticalGradient(wt, wb, mood == Mood::Day ? Rgb8(36, 44, 110) : Rgb8(40, 26, 80),
                       mood == Mood::Day ? Rgb8(56, 80, 160) : Rgb8(80, 50, 120), 0.93);
    cairo_fill_preserve(cr);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // Faint sockets where the balls sit.
    for (int y = 0; y < kBoardRows; ++y) {
        for (int x = 0; x < kBoardColumns; ++x) {
            double px, py;
            CellCentre(x, y, px, py);
            if (px > wr - 10) {
                continue;
            }
            cairo_arc(cr, px, py, 3, 0, 2 * M_PI);
            p.SetColour(Rgb{1, 1, 1}, 0.06);
            cairo_fill(cr);
        }
    }
    // The line a ball must never reach: the last row.
    double lx, ly;
    CellCentre(0, kBoardRows - 1, lx, ly);
    const double deadline = ly + kBubbleRadius + 2;
    cairo_move_to(cr, wl + 4, deadline);
    cairo_line_to(cr, wr - 4, deadline);
    const double dash[2] = {10, 8};
    cairo_set_dash(cr, dash, 2, 0);
    p.SetColour(Rgb8(255, 120, 120), 0.55);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // Inner bevel highlight of the frame.
    p.RoundedRect(left + 5, top + 4, right - left - 10, 6, 3);
    p.SetColour(Rgb{1, 1, 1}, 0.35);
    cairo_fill(cr);
    // Bolts along the frame.
    for (int i = 0; i < 8; ++i) {
        const double y = 60 + i * 60;
        for (double x : {left + 8, right - 8}) {
            cairo_arc(cr, x, y, 3.2, 0, 2 * M_PI);
            p.SetColour(Rgb8(255, 240, 190));
            p.FillAndOutline(1.3);
        }
    }
    // The launcher's pedestal: a stone disc in the grass.
    cairo_save(cr);
    cairo_translate(cr, kLauncherX, kLauncherY + 14);
    cairo_scale(cr, 1.0, 0.45);
    cairo_arc(cr, 0, 0, 62, 0, 2 * M_PI);
    cairo_restore(cr);
    p.VerticalGradient(kLauncherY - 14, kLauncherY + 42, Rgb8(220, 214, 236), Rgb8(130, 120, 160));
    p.FillAndOutline(2.5);
    cairo_save(cr);
    cairo_translate(cr, kLauncherX, kLauncherY + 10);
    cairo_scale(cr, 1.0, 0.42);
    cairo_arc(cr, 0, 0, 46, 0, 2 * M_PI);
    cairo_restore(cr);
    p.SetColour(kInk, 0.25);
    cairo_fill(cr);
    // Sockets for the six missed-shot markers.
    for (const auto& m : kMarkerPositions) {
        cairo_arc(cr, m[0], m[1] + 1, 11.5, 0, 2 * M_PI);
        p.VerticalGradient(m[1] - 11, m[1] + 12, Rgb8(60, 50, 90), Rgb8(110, 100, 150));
        p.FillAndOutline(2);
    }
    // Score sign in the top left corner; the game writes the number centred on (72, 16).
    p.SoftShadow([&](cairo_t* c) { cairo_rectangle(c, 4, 0, 136, 62); }, 3, 4, 6, 0.5);
    p.RoundedRect(2, -12, 140, 72, 14);
    p.VerticalGradient(-12, 60, Rgb8(255, 214, 120), Rgb8(214, 134, 52));
    p.FillAndOutline(3);
    DrawInset(p, 10, 0, 124, 33, 10);
    TextFrom(p, "SCORE", 72, 52, 15, Rgb{1, 1, 1}, 0);
    // Mode sign on the right.
    const double sx = 709, sy = 66;
    p.RoundedRect(sx - 80, sy - 40, 160, 80, 16);
    p.VerticalGradient(sy - 40, sy + 40, Rgb8(255, 214, 120), Rgb8(214, 134, 52));
    p.FillAndOutline(3);
    p.RoundedRect(sx - 72, sy - 32, 144, 64, 10);
    p.VerticalGradient(sy - 32, sy + 32, Rgb8(98, 118, 222), Rgb8(52, 58, 150));
    p.FillAndOutline(2);
    // The mode's name as the menu says it, and what brings the next row.
    const bool classic = mood == Mood::Day;
    TextFrom(p, classic ? "CLASSIC" : "ARCADE", sx, sy - 2, 22, Rgb8(255, 246, 190), 0);
    TextFrom(p, classic ? "rows on misses" : "rows on a timer", sx, sy + 20, 13, Rgb8(220, 228, 255),
             0);
    // A small legend under the markers: they count misses in Classic and time in Arcade.
    TextFrom(p, classic ? "misses left" : "time left", 612, 588, 12, Rgb{1, 1, 1}, 0);
    // How to play, in short: what to press in gold, what it does in white.
    p.RoundedRect(634, 128, 150, 136, 14);
    p.SetColour(kInk, 0.45);
    cairo_fill(cr);
    const char* const hints[8] = {
        "Click, Space", "shoot", "Right click, Down", "swap balls", "Left, Right", "aim", "Esc, P", "pause"};
    for (int i = 0; i < 8; ++i) {
        TextFrom(p, hints[i], 709, 148 + i * 15.5, 12.5, i % 2 == 0 ? Rgb8(255, 226, 140) : Rgb{1, 1, 1}, 0);
    }
    if (mood == Mood::Dusk) {
        // An hourglass for the time mode.
        const double hx = 709, hy = 318;
        cairo_new_path(cr);
        cairo_move_to(cr, hx - 16, hy - 26);
        cairo_line_to(cr, hx + 16, hy - 26);
        cairo_line_to(cr, hx + 3, hy);
        cairo_line_to(cr, hx + 16, hy + 26);
        cairo_line_to(cr, hx - 16, hy + 26);
        cairo_line_to(cr, hx - 3, hy);
        cairo_close_path(cr);
        p.SetColour(Rgb8(220, 236, 255), 0.85);
        p.FillAndOutline(2.5);
        cairo_new_path(cr);
        cairo_move_to(cr, hx - 10, hy + 22);
        cairo_line_to(cr, hx + 10, hy + 22);
        cairo_line_to(cr, hx, hy + 8);
        cairo_close_path(cr);
        p.SetColour(Rgb8(255, 200, 80));
        cairo_fill(cr);
        for (int e = -1; e <= 1; e += 2) {
            p.RoundedRect(hx - 20, hy + e * 28 - 3, 40, 6, 3);
            p.SetColour(Rgb8(200, 120, 60));
            p.FillAndOutline(2);
        }
    }
}

void MainMenu(PictureSet& set) {
    cairo_surface_t* s = set.Add("MainMenu", 800, 600, 1, 1, PictureFormat::Jpg);
    Painter p(s);
    cairo_t* cr = p.Cr();
    Sky(p, Mood::Day, 440, 352, 54);
    Hills(p, Mood::Day, 450);
    Logo(p, 168, 58, 0.78);
    // A board of balls hanging from a branch on the right, as a taste of the game.
    cairo_new_path(cr);
    cairo_move_to(cr, 380, 206);
    cairo_curve_to(cr, 480, 190, 620, 214, 790, 196);
    p.SetColour(Rgb8(150, 96, 60));
    cairo_set_line_width(cr, 14);
    cairo_stroke_preserve(cr);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    static const int rows[5][9] = {{0, 0, 1, 1, 3, 3, 4, 2, 2},
                                   {5, 0, 1, 3, 3, 4, 4, 2, -1},
                                   {5, 5, 1, 2, 3, 0, 4, -1, -1},
                                   {-1, 2, 2, 0, 0, 1, -1, -1, -1},
                                   {-1, -1, 4, 0, 1, -1, -1, -1, -1}};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int c = rows[y][x];
            if (c < 0) {
                continue;
            }
            const double px = 430 + x * 38 + (y % 2) * 19, py = 234 + y * 33;
            cairo_arc(cr, px + 3, py + 4, 17, 0, 2 * M_PI);
            p.SetColour(kInk, 0.3);
            cairo_fill(cr);
            p.Ball(px, py, 19, kBallColours[c], c);
        }
    }
    // Sign board for the player greeting (the game writes it centred near (588, 123) and (588, 147)).
    p.SoftShadow([&](cairo_t* c) { cairo_rectangle(c, 412, 104, 360, 66); }, 4, 5, 8, 0.5);
    p.RoundedRect(410, 100, 360, 66, 16);
    p.VerticalGradient(100, 166, Rgb8(255, 214, 120), Rgb8(214, 134, 52));
    p.FillAndOutline(3);
    p.RoundedRect(418, 108, 344, 50, 10);
    p.VerticalGradient(108, 158, Rgb8(98, 118, 222), Rgb8(52, 58, 150));
    p.FillAndOutline(2);
    // A soft panel behind the column of menu buttons.
    p.RoundedRect(28, 118, 268, 406, 26);
    p.SetColour(Rgb8(255, 255, 255), 0.28);
    cairo_fill_preserve(cr);
    p.SetColour(Rgb{1, 1, 1}, 0.6);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // A few balls that landed in the grass.
    const double lying[4][3] = {{438, 526, 3}, {478, 538, 0}, {562, 530, 1}, {352, 542, 5}};
    for (const auto& b : lying) {
        cairo_save(cr);
        cairo_translate(cr, b[0] + 3, b[1] + 14);
        cairo_scale(cr, 1.0, 0.3);
        cairo_arc(cr, 0, 0, 17, 0, 2 * M_PI);
        cairo_restore(cr);
        p.SetColour(kInk, 0.3);
        cairo_fill(cr);
        p.Ball(b[0], b[1], 17, kBallColours[static_cast<int>(b[2])], static_cast<int>(b[2]));
    }
    // A mound for the creature in the corner.
    cairo_save(cr);
    cairo_translate(cr, 720, 548);
    cairo_scale(cr, 1.0, 0.4);
    cairo_arc(cr, 0, 0, 64, 0, 2 * M_PI);
    cairo_restore(cr);
    p.VerticalGradient(520, 580, Rgb8(220, 214, 236), Rgb8(130, 120, 160));
    p.FillAndOutline(2.5);
}

void MenuGrass(PictureSet& set) {
    cairo_surface_t* s = set.Add("MenuGrass", 800, 90);
    Painter p(s);
    cairo_t* cr = p.Cr();
    Scatter sc(19);
    // Blades in three shades, short on the left where the Exit button sits.
    for (int layer = 0; layer < 3; ++layer) {
        const Rgb c = layer == 0 ? Rgb8(60, 150, 60) : (layer == 1 ? Rgb8(90, 186, 70) : Rgb8(130, 214, 90));
        for (int i = 0; i < 170; ++i) {
            const double x = sc.Next() * 800;
            const double h = (x < 320 ? 22 : 34) + sc.Next() * (x < 320 ? 16 : 44) - layer * 6;
            const double lean = (sc.Next() - 0.5) * 16;
            cairo_new_path(cr);
            cairo_move_to(cr, x - 4, 92);
            cairo_curve_to(cr, x - 3, 90 - h * 0.5, x + lean * 0.5, 90 - h * 0.8, x + lean, 90 - h);
            cairo_curve_to(cr, x + lean * 0.5 + 2, 90 - h * 0.7, x + 3, 90 - h * 0.4, x + 4, 92);
            cairo_close_path(cr);
            p.VerticalGradient(90 - h, 92, c.Mixed(Rgb{1, 1, 1}, 0.2), c.Scaled(0.75));
            cairo_fill_preserve(cr);
            p.SetColour(kInk, 0.35);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    }
    const Rgb petals[4] = {Rgb8(255, 240, 120), Rgb8(255, 150, 170), Rgb{1, 1, 1}, Rgb8(190, 170, 255)};
    for (int i = 0; i < 14; ++i) {
        const double x = 20 + sc.Next() * 760, y = 50 + sc.Next() * 30, r = 3 + sc.Next() * 2;
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5;
            cairo_arc(cr, x + r * std::cos(a), y + r * std::sin(a), r * 0.8, 0, 2 * M_PI);
            p.SetColour(petals[i % 4]);
            p.FillAndOutline(0.8);
        }
        cairo_arc(cr, x, y, r * 0.55, 0, 2 * M_PI);
        p.SetColour(Rgb8(255, 190, 60));
        cairo_fill(cr);
    }
}

void LoadScreen(PictureSet& set) {
    cairo_surface_t* s = set.Add("LoadScreen", 800, 600, 1, 1, PictureFormat::Jpg);
    Painter p(s);
    Sky(p, Mood::Day, 430);
    Hills(p, Mood::Day, 440);
    Logo(p, 400, 170, 1.3);
    TextFrom(p, "Loading...", 400, 352, 22, Rgb{1, 1, 1}, 0);
    cairo_t* cr = p.Cr();
    // The two creatures juggling balls in the meadow.
    for (int side = 0; side < 2; ++side) {
        const double cx = side == 0 ? 170 : 630, cy = 486;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 1.6, 1.6);
        cairo_save(cr);
        cairo_translate(cr, 0, 30);
        cairo_scale(cr, 1.0, 0.3);
        cairo_arc(cr, 0, 0, 34, 0, 2 * M_PI);
        cairo_restore(cr);
        p.SetColour(kInk, 0.3);
        cairo_fill(cr);
        p.Ball(0, 7, 16, kBallColours[side == 0 ? 2 : 4], side == 0 ? 2 : 4); // seen through the pouch
        DrawKorrik(p, 0, 0, side == 1);
        p.Ball(0, -31, 16, kBallColours[side == 0 ? 1 : 0], side == 0 ? 1 : 0);
        cairo_restore(cr);
    }
    for (int i = 0; i < 4; ++i) {
        p.Ball(310 + i * 60, 470 - (i % 2) * 16, 20, kBallColours[i + 2 > 5 ? i : i + 2],
               i + 2 > 5 ? i : i + 2);
    }
}

void HelpPanel(PictureSet& set) {
    cairo_surface_t* s = set.Add("Help", 800, 600);
    Painter p(s);
    DrawPanelFrame(p, 8, 18, 780, 572);
    DrawTitleRibbon(p, 400, 22, "HOW TO PLAY", 260);
    // A legend of the six balls and their symbols, and the markers, below the text.
    cairo_t* cr = p.Cr();
    p.RoundedRect(36, 420, 728, 104, 18);
    p.SetColour(Rgb{1, 1, 1}, 0.1);
    cairo_fill(cr);
    TextFrom(p, "Every colour has its own sign:", 56, 448, 15, Rgb8(255, 226, 140), -1);
    for (int i = 0; i < 6; ++i) {
        p.Ball(84 + i * 52, 488, 19, kBallColours[i], i);
    }
    // Three of a kind bursting, beside the rules.
    for (int i = 0; i < 3; ++i) {
        p.Ball(672 + i * 30 - (i == 2 ? 45 : 0), 100 + (i == 2 ? 26 : 0), 15, kBallColours[2], 2);
    }
    p.Ball(716, 126, 15, kBallColours[2], 2);
    p.Star(700, 160, 18, 7, 8, 0.2);
    p.VerticalGradient(142, 178, Rgb8(255, 250, 200), Rgb8(255, 190, 60));
    p.FillAndOutline(2);
    // A sleepy cloud for the relaxed mode and a clock for the timed one.
    p.OutlinedText("z Z z", 700, 300, 22, Rgb8(220, 228, 255), 2.5);
    cairo_arc(cr, 700, 382, 22, 0, 2 * M_PI);
    p.VerticalGradient(360, 404, Rgb{1, 1, 1}, Rgb8(210, 220, 250));
    p.FillAndOutline(2.5);
    cairo_move_to(cr, 700, 382);
    cairo_line_to(cr, 700, 368);
    cairo_move_to(cr, 700, 382);
    cairo_line_to(cr, 711, 388);
    p.SetColour(kInk);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    TextFrom(p, "Stars left before a new row:", 430, 448, 15, Rgb8(255, 226, 140), -1);
    for (int i = 0; i < 6; ++i) {
        const double x = 470 + i * 38, y = 490;
        p.Star(x, y, 14, 6.5, 5, (i % 2 == 0 ? 0.08 : -0.08));
        p.RadialGradient(x - 4, y - 5, 1, 16, Rgb8(255, 240, 190), Rgb8(236, 150, 30));
        p.FillAndOutline(1.8);
    }
}

void Cursor(PictureSet& set) {
    cairo_surface_t* s = set.Add("Cursor", 32, 32);
    Painter p(s);
    cairo_t* cr = p.Cr();
    // Light, so the game's tint shows the colour of the ball about to fly; the hot spot is the centre.
    DrawInkedRing(p, 16, 16, 9, 2.8);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        cairo_move_to(cr, 16 + 11 * std::cos(a), 16 + 11 * std::sin(a));
        cairo_line_to(cr, 16 + 14.5 * std::cos(a), 16 + 14.5 * std::sin(a));
    }
    p.SetColour(kInk, 0.9);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    p.SetColour(Rgb{1, 1, 1});
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    cairo_arc(cr, 16, 16, 2.2, 0, 2 * M_PI);
    p.SetColour(Rgb{1, 1, 1});
    p.FillAndOutline(1.4);
}

} // namespace

void DrawScreenArt(PictureSet& set) {
    LoadScreen(set);
    Cursor(set);
    GameBackground(set, "GameBgr", Mood::Day);
    GameBackground(set, "GameBgr1", Mood::Dusk);
    MainMenu(set);
    MenuGrass(set);
    HelpPanel(set);
}
