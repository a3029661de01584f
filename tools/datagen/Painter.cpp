#include "Painter.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

const Rgb kInk = Rgb8(46, 30, 66);
const Rgb kBallColours[6] = {Rgb8(140, 154, 232), Rgb8(255, 145, 105), Rgb8(99, 206, 91),
                             Rgb8(255, 242, 35),  Rgb8(230, 141, 213), Rgb8(255, 255, 255)};

namespace {

// The font faces, opened once from their files so the output never depends on font configuration.
class FontFaces {
public:
    static FontFaces& Instance() {
        static FontFaces faces;
        return faces;
    }
    // cairo keeps faces in its cache until its static data are reset, and the FreeType faces go with them,
    // so the library itself is closed only after that.
    void DropFaces() {
        for (cairo_font_face_t** face : {&bold_, &condensed_, &regular_}) {
            if (*face != nullptr) {
                cairo_font_face_destroy(*face);
                *face = nullptr;
            }
        }
    }
    void CloseLibrary() {
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
            library_ = nullptr;
        }
    }
    cairo_font_face_t* Face(FontStyle style) {
        switch (style) {
        case FontStyle::Condensed:
            return condensed_;
        case FontStyle::Regular:
            return regular_;
        case FontStyle::Bold:
            break;
        }
        return bold_;
    }

private:
    FontFaces() {
        FT_Init_FreeType(&library_);
        bold_ = Open("DejaVuSans-Bold.ttf");
        condensed_ = Open("DejaVuSansCondensed-Bold.ttf");
        regular_ = Open("DejaVuSans.ttf");
    }
    cairo_font_face_t* Open(const char* file) {
        const std::string path = std::string("/usr/share/fonts/truetype/dejavu/") + file;
        FT_Face face = nullptr;
        if (FT_New_Face(library_, path.c_str(), 0, &face) != 0) {
            std::fprintf(stderr, "datagen: cannot open font %s\n", path.c_str());
            std::exit(1);
        }
        cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
        // The FreeType face lives exactly as long as cairo's face made from it.
        static const cairo_user_data_key_t key{};
        cairo_font_face_set_user_data(cairoFace, &key, face,
                                      [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
        return cairoFace;
    }
    FT_Library library_ = nullptr;
    cairo_font_face_t* bold_ = nullptr;
    cairo_font_face_t* condensed_ = nullptr;
    cairo_font_face_t* regular_ = nullptr;
};

void BoxBlurPass(std::vector<double>& v, int w, int h, int r, bool horizontal) {
    std::vector<double> out(v.size());
    const int n = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> double& {
            i = std::clamp(i, 0, n - 1);
            return horizontal ? v[static_cast<std::size_t>(line) * w + i]
                              : v[static_cast<std::size_t>(i) * w + line];
        };
        double sum = 0;
        for (int i = -r; i <= r; ++i) {
            sum += at(i);
        }
        for (int i = 0; i < n; ++i) {
            const std::size_t idx =
                horizontal ? static_cast<std::size_t>(line) * w + i : static_cast<std::size_t>(i) * w + line;
            out[idx] = sum / (2 * r + 1);
            sum += at(i + r + 1) - at(i - r);
        }
    }
    v.swap(out);
}

} // namespace

void ReleaseDrawingResources() {
    FontFaces::Instance().DropFaces();
    cairo_debug_reset_static_data();
    FontFaces::Instance().CloseLibrary();
}

void BlurSurface(cairo_surface_t* surface, int radius) {
    if (radius <= 0) {
        return;
    }
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int channel = 0; channel < 4; ++channel) {
        std::vector<double> v(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                v[static_cast<std::size_t>(y) * w + x] = data[y * stride + x * 4 + channel];
            }
        }
        for (int pass = 0; pass < 3; ++pass) {
            BoxBlurPass(v, w, h, std::max(1, radius / 2), true);
            BoxBlurPass(v, w, h, std::max(1, radius / 2), false);
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                data[y * stride + x * 4 + channel] = static_cast<unsigned char>(
                    std::clamp(std::lround(v[static_cast<std::size_t>(y) * w + x]), 0L, 255L));
            }
        }
    }
    cairo_surface_mark_dirty(surface);
}

Painter::Painter(cairo_surface_t* surface) : cr_(cairo_create(surface)) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Painter::~Painter() {
    cairo_destroy(cr_);
}

void Painter::SetColour(const Rgb& c, double alpha) {
    cairo_set_source_rgba(cr_, c.r, c.g, c.b, alpha);
}

void Painter::RoundedRect(double x, double y, double w, double h, double radius) {
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr_, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr_, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr_, x + radius, y + radius, radius, M_PI, 1.5 * M_PI);
    cairo_close_path(cr_);
}

void Painter::VerticalGradient(double y0, double y1, const Rgb& top, const Rgb& bottom, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr_, p);
    cairo_pattern_destroy(p);
}

void Painter::RadialGradient(double cx, double cy, double r0, double r1, const Rgb& inner, const Rgb& outer,
                             double innerAlpha, double outerAlpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, innerAlpha);
    cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outerAlpha);
    cairo_set_source(cr_, p);
    cairo_pattern_destroy(p);
}

void Painter::FillAndOutline(double lineWidth) {
    cairo_fill_preserve(cr_);
    SetColour(kInk);
    cairo_set_line_width(cr_, lineWidth);
    cairo_stroke(cr_);
}

void Painter::SetFont(double size, FontStyle style) {
    cairo_set_font_face(cr_, FontFaces::Instance().Face(style));
    cairo_set_font_size(cr_, size);
}

double Painter::TextWidth(const std::string& text, double size, FontStyle style) {
    SetFont(size, style);
    cairo_text_extents_t e;
    cairo_text_extents(cr_, text.c_str(), &e);
    return e.x_advance;
}

void Painter::OutlinedText(const std::string& text, double x, double y, double size, const Rgb& fill,
                           double outline, FontStyle style, const Rgb* fillBottom) {
    const double w = TextWidth(text, size, style);
    const double left = x - w / 2;
    cairo_save(cr_);
    // Shadow, outline, then the face on top.
    cairo_new_path(cr_);
    cairo_move_to(cr_, left + outline * 0.5, y + outline * 0.7);
    cairo_text_path(cr_, text.c_str());
    SetColour(kInk, 0.45);
    cairo_set_line_width(cr_, outline * 2);
    cairo_stroke_preserve(cr_);
    cairo_fill(cr_);
    cairo_new_path(cr_);
    cairo_move_to(cr_, left, y);
    cairo_text_path(cr_, text.c_str());
    SetColour(kInk);
    cairo_set_line_width(cr_, outline * 2);
    cairo_stroke_preserve(cr_);
    if (fillBottom != nullptr) {
        VerticalGradient(y - size * 0.75, y, fill, *fillBottom);
    } else {
        SetColour(fill);
    }
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void Painter::Star(double cx, double cy, double r1, double r2, int points, double rotation) {
    cairo_new_sub_path(cr_);
    for (int i = 0; i < points * 2; ++i) {
        const double a = rotation - M_PI / 2 + i * M_PI / points;
        const double r = (i % 2 == 0) ? r1 : r2;
        cairo_line_to(cr_, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr_);
}

void Painter::Heart(double cx, double cy, double s) {
    cairo_new_sub_path(cr_);
    cairo_move_to(cr_, cx, cy + s * 0.85);
    cairo_curve_to(cr_, cx - s * 1.25, cy + s * 0.05, cx - s * 0.75, cy - s * 1.05, cx, cy - s * 0.4);
    cairo_curve_to(cr_, cx + s * 0.75, cy - s * 1.05, cx + s * 1.25, cy + s * 0.05, cx, cy + s * 0.85);
    cairo_close_path(cr_);
}

void Painter::Symbol(int symbol, double cx, double cy, double s) {
    cairo_new_path(cr_);
    switch (symbol) {
    case 0: // diamond
        cairo_move_to(cr_, cx, cy - s);
        cairo_line_to(cr_, cx + s * 0.72, cy);
        cairo_line_to(cr_, cx, cy + s);
        cairo_line_to(cr_, cx - s * 0.72, cy);
        cairo_close_path(cr_);
        break;
    case 1:
        Heart(cx, cy, s * 0.95);
        break;
    case 2: // triangle
        cairo_move_to(cr_, cx, cy - s * 0.95);
        cairo_line_to(cr_, cx + s * 0.95, cy + s * 0.7);
        cairo_line_to(cr_, cx - s * 0.95, cy + s * 0.7);
        cairo_close_path(cr_);
        break;
    case 3:
        Star(cx, cy + s * 0.08, s * 1.05, s * 0.45, 5);
        break;
    case 4: // ring
        cairo_arc(cr_, cx, cy, s * 0.85, 0, 2 * M_PI);
        cairo_new_sub_path(cr_);
        cairo_arc_negative(cr_, cx, cy, s * 0.42, 2 * M_PI, 0);
        break;
    default: { // plus
        const double a = s * 0.92, b = s * 0.32;
        cairo_move_to(cr_, cx - b, cy - a);
        cairo_line_to(cr_, cx + b, cy - a);
        cairo_line_to(cr_, cx + b, cy - b);
        cairo_line_to(cr_, cx + a, cy - b);
        cairo_line_to(cr_, cx + a, cy + b);
        cairo_line_to(cr_, cx + b, cy + b);
        cairo_line_to(cr_, cx + b, cy + a);
        cairo_line_to(cr_, cx - b, cy + a);
        cairo_line_to(cr_, cx - b, cy + b);
        cairo_line_to(cr_, cx - a, cy + b);
        cairo_line_to(cr_, cx - a, cy - b);
        cairo_line_to(cr_, cx - b, cy - b);
        cairo_close_path(cr_);
        break;
    }
    }
}

void Painter::Ball(double cx, double cy, double radius, const Rgb& colour, int symbol, double symbolAlpha) {
    cairo_save(cr_);
    const double r = radius;
    // Body: light from the upper left, the palette colour across most of the face.
    cairo_pattern_t* body =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r * 1.02);
    const Rgb light = colour.Mixed(Rgb{1, 1, 1}, 0.35);
    const Rgb deep = colour.Scaled(0.62);
    cairo_pattern_add_color_stop_rgb(body, 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(body, 0.45, colour.r, colour.g, colour.b);
    cairo_pattern_add_color_stop_rgb(body, 0.85, colour.r * 0.86, colour.g * 0.86, colour.b * 0.86);
    cairo_pattern_add_color_stop_rgb(body, 1.0, deep.r, deep.g, deep.b);
    cairo_arc(cr_, cx, cy, r - 0.9, 0, 2 * M_PI);
    cairo_set_source(cr_, body);
    cairo_fill(cr_);
    cairo_pattern_destroy(body);
    // Symbol, embossed: a darker tone of the ball with a light lower edge.
    if (symbol >= 0 && symbolAlpha > 0) {
        const double s = r * 0.44;
        Symbol(symbol, cx + r * 0.02, cy + r * 0.06 + s * 0.06, s);
        SetColour(Rgb{1, 1, 1}, 0.45 * symbolAlpha);
        cairo_fill(cr_);
        Symbol(symbol, cx, cy, s);
        const Rgb sc = colour.Scaled(0.5);
        SetColour(sc, 0.85 * symbolAlpha);
        cairo_fill_preserve(cr_);
        SetColour(colour.Scaled(0.35), 0.6 * symbolAlpha);
        cairo_set_line_width(cr_, std::max(0.6, r * 0.05));
        cairo_stroke(cr_);
    }
    // Rim light at the lower right, then the gloss highlight.
    cairo_arc(cr_, cx, cy, r - 2.2, 0.05 * M_PI, 0.55 * M_PI);
    SetColour(colour.Mixed(Rgb{1, 1, 1}, 0.55), 0.55);
    cairo_set_line_width(cr_, std::max(0.8, r * 0.09));
    cairo_stroke(cr_);
    cairo_save(cr_);
    cairo_translate(cr_, cx - r * 0.3, cy - r * 0.42);
    cairo_rotate(cr_, -0.55);
    cairo_scale(cr_, r * 0.46, r * 0.28);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr_);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(cx, cy - r * 0.75, cx, cy - r * 0.1);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.95);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.15);
    cairo_set_source(cr_, gloss);
    cairo_fill(cr_);
    cairo_pattern_destroy(gloss);
    cairo_arc(cr_, cx - r * 0.55, cy - r * 0.05, r * 0.08, 0, 2 * M_PI);
    SetColour(Rgb{1, 1, 1}, 0.7);
    cairo_fill(cr_);
    // Dark outline.
    cairo_arc(cr_, cx, cy, r - 0.75, 0, 2 * M_PI);
    SetColour(kInk, 0.9);
    cairo_set_line_width(cr_, std::max(1.0, r * 0.09));
    cairo_stroke(cr_);
    cairo_restore(cr_);
}
