// Drawing helpers shared by every piece of art: shapes, gradients, soft shadows, outlined text, glossy balls.
#pragma once

#include "Picture.h"

#include <cairo.h>

#include <string>

struct Rgb {
    double r = 0, g = 0, b = 0;
    Rgb Scaled(double k) const { return {r * k, g * k, b * k}; }
    Rgb Mixed(const Rgb& o, double t) const {
        return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
    }
};
inline Rgb Rgb8(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

// The one ink colour of all outlines, and the fixed ball palette (the cursor tints of the game).
extern const Rgb kInk;
extern const Rgb kBallColours[6];

enum class FontStyle { Bold, Condensed, Regular };

class Painter {
public:
    explicit Painter(cairo_surface_t* surface);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    cairo_t* Cr() { return cr_; }

    void SetColour(const Rgb& c, double alpha = 1.0);
    void RoundedRect(double x, double y, double w, double h, double radius);
    void VerticalGradient(double y0, double y1, const Rgb& top, const Rgb& bottom, double alpha = 1.0);
    void RadialGradient(double cx, double cy, double r0, double r1, const Rgb& inner, const Rgb& outer,
                        double innerAlpha = 1.0, double outerAlpha = 1.0);
    // Fills the current path with the current source, then strokes it with the ink colour.
    void FillAndOutline(double lineWidth);
    // Draws a soft blurred shadow of the path given by draw, offset by (dx, dy).
    template <typename Shape> void SoftShadow(Shape draw, double dx, double dy, int blur, double alpha);

    // Text with a dark outline and a small drop shadow; x is the centre, y the baseline.
    void OutlinedText(const std::string& text, double x, double y, double size, const Rgb& fill,
                      double outline = 3.0, FontStyle style = FontStyle::Bold,
                      const Rgb* fillBottom = nullptr);
    double TextWidth(const std::string& text, double size, FontStyle style = FontStyle::Bold);
    void SetFont(double size, FontStyle style);

    // A glossy sphere with rim and highlight, centred at (cx, cy).
    void Ball(double cx, double cy, double radius, const Rgb& colour, int symbol, double symbolAlpha = 1.0);
    void Symbol(int symbol, double cx, double cy, double size);
    void Star(double cx, double cy, double r1, double r2, int points, double rotation = 0.0);
    void Heart(double cx, double cy, double size);

private:
    cairo_t* cr_;
};

// Frees the fonts and cairo's caches; no drawing afterwards (keeps leak checkers quiet).
void ReleaseDrawingResources();

// Box blur (three passes, close to a gaussian) of a whole ARGB32 surface.
void BlurSurface(cairo_surface_t* surface, int radius);

template <typename Shape> void Painter::SoftShadow(Shape draw, double dx, double dy, int blur, double alpha) {
    const int w = cairo_image_surface_get_width(cairo_get_target(cr_));
    const int h = cairo_image_surface_get_height(cairo_get_target(cr_));
    SurfacePtr shadow = NewSurface(w, h);
    {
        cairo_t* s = cairo_create(shadow.get());
        cairo_translate(s, dx, dy);
        draw(s);
        cairo_set_source_rgba(s, 0.08, 0.05, 0.15, alpha);
        cairo_fill(s);
        cairo_destroy(s);
    }
    BlurSurface(shadow.get(), blur);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_set_source_surface(cr_, shadow.get(), 0, 0);
    cairo_paint(cr_);
    cairo_restore(cr_);
}
