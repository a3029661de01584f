#include "ImageEncoder.h"

#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

void ReadPixel(cairo_surface_t* surface, int x, int y, std::uint8_t rgba[4]) {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::uint32_t v = 0;
    std::memcpy(&v, data + y * stride + x * 4, 4);
    const std::uint32_t a = v >> 24;
    std::uint32_t c[3] = {(v >> 16) & 255u, (v >> 8) & 255u, v & 255u};
    for (int i = 0; i < 3; ++i) {
        // Cairo keeps colours premultiplied; files want them straight.
        rgba[i] =
            a == 0 ? 0 : static_cast<std::uint8_t>(std::min<std::uint32_t>(255u, (c[i] * 255u + a / 2) / a));
    }
    rgba[3] = static_cast<std::uint8_t>(a);
}

Bytes EncodeTga(cairo_surface_t* surface) {
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    cairo_surface_flush(surface);
    Bytes out(18, 0);
    out[2] = 2;
    out[12] = static_cast<std::uint8_t>(w & 255);
    out[13] = static_cast<std::uint8_t>(w >> 8);
    out[14] = static_cast<std::uint8_t>(h & 255);
    out[15] = static_cast<std::uint8_t>(h >> 8);
    out[16] = 32;
    out[17] = 8;
    out.reserve(18 + static_cast<std::size_t>(w) * h * 4);
    std::uint8_t px[4];
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            ReadPixel(surface, x, y, px);
            out.push_back(px[2]);
            out.push_back(px[1]);
            out.push_back(px[0]);
            out.push_back(px[3]);
        }
    }
    return out;
}

Bytes EncodeJpeg(cairo_surface_t* surface, int quality) {
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    cairo_surface_flush(surface);
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    std::uint8_t px[4];
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < w; ++x) {
            ReadPixel(surface, x, y, px);
            row[x * 3] = px[0];
            row[x * 3 + 1] = px[1];
            row[x * 3 + 2] = px[2];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
