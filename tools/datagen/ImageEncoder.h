// Turns cairo surfaces into the bytes of the game's picture files: 32-bit TGA and baseline JPEG.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Uncompressed true-colour TGA: 18-byte header (no ID field, origin 0), BGRA, rows bottom-up, 8 alpha bits.
Bytes EncodeTga(cairo_surface_t* surface);
// Opaque pictures only; alpha is dropped.
Bytes EncodeJpeg(cairo_surface_t* surface, int quality);
// Straight (not premultiplied) RGBA of one pixel of an ARGB32 surface.
void ReadPixel(cairo_surface_t* surface, int x, int y, std::uint8_t rgba[4]);
bool WriteFile(const std::string& path, const Bytes& bytes);
