// One generated picture (a cairo surface plus its frame grid) and the ordered set of all of them.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

enum class PictureFormat { Tga, Jpg };

struct Picture {
    std::string name; // bare name as the game asks for it, e.g. "Interface/BtnOk"
    int columns = 1;  // frame grid, so the contact sheet can outline the frames
    int rows = 1;
    PictureFormat format = PictureFormat::Tga;
    bool inLangArchive = false; // font pictures travel with the language files
    SurfacePtr surface;

    int Width() const { return cairo_image_surface_get_width(surface.get()); }
    int Height() const { return cairo_image_surface_get_height(surface.get()); }
};

class PictureSet {
public:
    // A fresh transparent ARGB surface registered under name; draw into it afterwards.
    cairo_surface_t* Add(const std::string& name, int width, int height, int columns = 1, int rows = 1,
                         PictureFormat format = PictureFormat::Tga);
    Picture* Find(const std::string& name);
    std::vector<Picture>& All() { return pictures_; }

private:
    std::vector<Picture> pictures_;
};

SurfacePtr NewSurface(int width, int height);
