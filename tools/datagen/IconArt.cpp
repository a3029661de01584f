// The desktop icon: the menu's creature on a round sky tile, drawn afresh at every size so small icons
// stay sharp.
#include "IconArt.h"
#include "Art.h"
#include "Painter.h"

#include <cmath>
#include <filesystem>

namespace {

// Drawn on a 128-unit canvas and scaled to the size asked for.
void DrawIcon(Painter& p, int size) {
    cairo_t* cr = p.Cr();
    cairo_scale(cr, size / 128.0, size / 128.0);
    // A thicker outline at the small sizes, where 2 px of ink would shrink to nothing.
    const double ink = size <= 32 ? 6.0 : 4.0;
    p.RoundedRect(6, 6, 116, 116, 28);
    p.VerticalGradient(6, 122, Rgb8(98, 170, 240), Rgb8(200, 232, 255));
    p.FillAndOutline(ink);
    // The ball about to fly and the next one in the pouch: the game in one look.
    p.Ball(64, 23, 14, kBallColours[2], 2);
    cairo_save(cr);
    cairo_translate(cr, 64, 76);
    cairo_scale(cr, 1.08, 1.08);
    p.Ball(0, 0, 11, kBallColours[1], 1, 0.0);
    DrawKorrik(p, 0, 0, true);
    cairo_restore(cr);
}

} // namespace

const std::vector<int>& IconSizes() {
    static const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 96, 128, 256};
    return sizes;
}

void DrawIconArt(PictureSet& set) {
    Painter p(set.Add("Icon", kWindowIconSize, kWindowIconSize));
    DrawIcon(p, kWindowIconSize);
}

bool WriteIcons(const std::string& folder, const std::string& name) {
    for (const int size : IconSizes()) {
        const std::string dir = folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        SurfacePtr surface = NewSurface(size, size);
        {
            Painter p(surface.get());
            DrawIcon(p, size);
        }
        cairo_surface_flush(surface.get());
        if (cairo_surface_write_to_png(surface.get(), (dir + "/" + name + ".png").c_str()) !=
            CAIRO_STATUS_SUCCESS)
            return false;
    }
    return true;
}
