#include "Picture.h"

SurfacePtr NewSurface(int width, int height) {
    return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

cairo_surface_t* PictureSet::Add(const std::string& name, int width, int height, int columns, int rows,
                                 PictureFormat format) {
    Picture p;
    p.name = name;
    p.columns = columns;
    p.rows = rows;
    p.format = format;
    p.surface = NewSurface(width, height);
    pictures_.push_back(std::move(p));
    return pictures_.back().surface.get();
}

Picture* PictureSet::Find(const std::string& name) {
    for (Picture& p : pictures_) {
        if (p.name == name) {
            return &p;
        }
    }
    return nullptr;
}
