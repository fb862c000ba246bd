#include "dib.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace tj20::art {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(v & 0xff);
    out.push_back(v >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xff);
}

struct Pixel {
    std::uint8_t r, g, b;
    bool transparent;
};

// An 8- or 24-bit pixel: nearly clear is the transparent key; the rest blended over the
// matte; opaque black nudged off the key.
Pixel flatten(std::uint32_t argb, const Rgb& matte) {
    const double a = ((argb >> 24) & 0xff) / 255.0;
    if (a < 0.4) return {0, 0, 0, true};
    auto channel = [&](int shift, double m) {
        const double premultiplied = ((argb >> shift) & 0xff) / 255.0;
        return static_cast<std::uint8_t>(std::lround(std::clamp(premultiplied + (1 - a) * m, 0.0, 1.0) * 255));
    };
    Pixel p{channel(16, matte.r), channel(8, matte.g), channel(0, matte.b), false};
    if (p.r == 0 && p.g == 0 && p.b == 0) p.r = p.g = p.b = 1;
    return p;
}

// A palette for an 8-bit image: the key first, then its colours when there are no more than
// 255, else the 255 commonest (counted on 5 bits a channel); every pixel takes the nearest entry.
std::vector<std::array<std::uint8_t, 3>> paletteOf(const std::vector<Pixel>& pixels) {
    // Few enough colours: each its own entry, exactly.
    std::map<std::uint32_t, int> exact;
    for (const auto& p : pixels)
        if (!p.transparent && exact.size() <= 255) exact[p.r << 16 | p.g << 8 | p.b] = 0;
    if (exact.size() <= 255) {
        std::vector<std::array<std::uint8_t, 3>> palette{{0, 0, 0}};
        for (const auto& [c, unused] : exact)
            palette.push_back({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                               static_cast<std::uint8_t>(c)});
        return palette;
    }
    std::map<std::uint32_t, std::array<std::uint64_t, 4>> bins;  // sums of r, g, b and the count
    for (const auto& p : pixels) {
        if (p.transparent) continue;
        auto& bin = bins[(p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3)];
        bin[0] += p.r, bin[1] += p.g, bin[2] += p.b, ++bin[3];
    }
    std::vector<std::array<std::uint64_t, 4>> ranked;
    for (const auto& [key, bin] : bins) ranked.push_back(bin);
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a[3] > b[3]; });
    std::vector<std::array<std::uint8_t, 3>> palette{{0, 0, 0}};
    for (const auto& bin : ranked) {
        if (palette.size() == 256) break;
        std::array<std::uint8_t, 3> c{static_cast<std::uint8_t>(bin[0] / bin[3]),
                                      static_cast<std::uint8_t>(bin[1] / bin[3]),
                                      static_cast<std::uint8_t>(bin[2] / bin[3])};
        if (c == std::array<std::uint8_t, 3>{0, 0, 0}) c = {1, 1, 1};
        palette.push_back(c);
    }
    return palette;
}

std::uint8_t nearest(const std::vector<std::array<std::uint8_t, 3>>& palette, const Pixel& p) {
    int best = 1, bestDistance = 1 << 30;
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const int dr = palette[i][0] - p.r, dg = palette[i][1] - p.g, db = palette[i][2] - p.b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = static_cast<int>(i);
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

std::vector<std::uint8_t> toDib(cairo_surface_t* image, int depth, const Rgb& matte) {
    cairo_surface_flush(image);
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    auto argbAt = [&](int x, int y) { return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4); };

    std::vector<Pixel> pixels;
    if (depth != 32) {
        pixels.reserve(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(flatten(argbAt(x, y), matte));
    }
    std::vector<std::array<std::uint8_t, 3>> palette;
    std::unordered_map<std::uint32_t, std::uint8_t> mapped;  // colour to palette entry
    if (depth == 8) palette = paletteOf(pixels);

    const int rowBytes = ((w * depth + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    out.reserve(40 + palette.size() * 4 + static_cast<std::size_t>(rowBytes) * h);
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h));  // positive: rows bottom-up
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(depth));
    put32(out, 0);  // BI_RGB
    put32(out, static_cast<std::uint32_t>(rowBytes * h));
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, depth == 8 ? 256 : 0);
    put32(out, 0);
    if (depth == 8) {
        palette.resize(256, {0, 0, 0});
        for (const auto& c : palette) out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
    for (int y = h - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            if (depth == 32) {
                const std::uint32_t v = argbAt(x, y);
                out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                       static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
                continue;
            }
            const Pixel& p = pixels[static_cast<std::size_t>(y) * w + x];
            if (depth == 24)
                out.insert(out.end(), {p.b, p.g, p.r});
            else if (p.transparent)
                out.push_back(0);
            else {
                const std::uint32_t key = p.r << 16 | p.g << 8 | p.b;
                auto it = mapped.find(key);
                if (it == mapped.end()) it = mapped.emplace(key, nearest(palette, p)).first;
                out.push_back(it->second);
            }
        }
        out.resize(start + rowBytes, 0);
    }
    return out;
}

void writeBmp(const std::filesystem::path& file, const std::vector<std::uint8_t>& dib) {
    std::vector<std::uint8_t> header;
    const std::uint32_t colours = dib[32] | dib[33] << 8;
    const std::uint32_t bitsAt = 14 + 40 + colours * 4;
    header.insert(header.end(), {'B', 'M'});
    put32(header, static_cast<std::uint32_t>(14 + dib.size()));
    put32(header, 0);
    put32(header, bitsAt);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(dib.data()), static_cast<std::streamsize>(dib.size()));
    if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

}  // namespace tj20::art
