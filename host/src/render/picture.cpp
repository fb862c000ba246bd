// Pictures to and from PNG files, and their comparison.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tj20host/render.h"

namespace tj20::host {

Picture readPng(const std::filesystem::path& file) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        throw std::runtime_error(file.string() + ": cannot be read as a PNG image");
    }
    cairo_surface_t* argb = s;
    if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
        argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s),
                                          cairo_image_surface_get_height(s));
        cairo_t* cr = cairo_create(argb);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    }
    cairo_surface_flush(argb);
    Picture p;
    p.width = cairo_image_surface_get_width(argb);
    p.height = cairo_image_surface_get_height(argb);
    p.argb.resize(static_cast<std::size_t>(p.width) * p.height);
    const int stride = cairo_image_surface_get_stride(argb);
    const unsigned char* data = cairo_image_surface_get_data(argb);
    for (int y = 0; y < p.height; ++y)
        std::memcpy(&p.argb[static_cast<std::size_t>(y) * p.width], data + y * stride, p.width * 4u);
    cairo_surface_destroy(argb);
    return p;
}

void writePng(const Picture& picture, const std::filesystem::path& file) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(data + y * stride, &picture.argb[static_cast<std::size_t>(y) * picture.width], picture.width * 4u);
    cairo_surface_mark_dirty(s);
    const cairo_status_t status = cairo_surface_write_to_png(s, file.c_str());
    cairo_surface_destroy(s);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(file.string() + ": cannot be written: " + cairo_status_to_string(status));
}

Difference compare(const Picture& a, const Picture& b, int tolerance) {
    if (a.width != b.width || a.height != b.height)
        throw std::invalid_argument("pictures of different sizes (" + std::to_string(a.width) + "x" +
                                    std::to_string(a.height) + " and " + std::to_string(b.width) + "x" +
                                    std::to_string(b.height) + ") cannot be compared");
    Difference d;
    d.left = a.width, d.top = a.height;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const std::uint32_t p = a.at(x, y), q = b.at(x, y);
            int most = 0;
            for (int shift = 0; shift < 32; shift += 8)
                most = std::max(
                    most, std::abs(static_cast<int>((p >> shift) & 0xff) - static_cast<int>((q >> shift) & 0xff)));
            d.largest = std::max(d.largest, most);
            if (most <= tolerance) continue;
            ++d.pixels;
            d.left = std::min(d.left, x), d.top = std::min(d.top, y);
            d.right = std::max(d.right, x + 1), d.bottom = std::max(d.bottom, y + 1);
        }
    if (d.pixels == 0) d.left = d.top = 0;
    return d;
}

void releaseDrawingCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace tj20::host
