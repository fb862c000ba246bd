// Bitmap resources as a simulator of the period reads them: a device-independent bitmap
// (BITMAPINFOHEADER, a palette for 8 bits, rows bottom-up, each padded to four bytes), made
// from Cairo's pixels. Pure black is the transparent colour of 8- and 24-bit bitmaps, so
// painted black is stored as (1, 1, 1); 32-bit bitmaps carry premultiplied alpha.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "paint.h"

namespace tj20::art {

// `matte`: what the soft edges of 8- and 24-bit images are blended with.
std::vector<std::uint8_t> toDib(cairo_surface_t* image, int depth, const Rgb& matte);
// A .bmp file: the file header before the same bytes.
void writeBmp(const std::filesystem::path& file, const std::vector<std::uint8_t>& dib);

}  // namespace tj20::art
