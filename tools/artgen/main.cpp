// tj20_artgen: draws every bitmap of one gauge module from its artwork description.
//
//   tj20_artgen <module.gau> <art.txt> <output directory> [--sheet <file.png>]
//
// Reads the built module's elements and mouse areas (without running it) and the module's
// art.txt, and writes into the output directory: each bitmap as <identifier>.bmp, the
// resource script resources.rc that names them (for windres), the resource directory
// resources.bin (for the native module's "tj20rsrc" section), and manifest.txt, one line per
// bitmap: identifier, width, height, depth. --sheet also writes every image side by side.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

#include "artwork.h"
#include "dib.h"
#include "kinds.h"
#include "resource_dir.h"

namespace {
namespace fs = std::filesystem;
using namespace tj20::art;

struct Image {
    std::uint32_t id;
    int depth;
    cairo_surface_t* surface;
};

// The colour soft edges are blended with where the image has no alpha.
Rgb matteOf(const Piece& p) {
    if (p.kind == "needle" || p.kind == "bar" || p.kind == "card" || p.kind == "sphere") return style::Face;
    return style::Panel;
}

std::vector<Image> drawAll(const Artwork& art) {
    std::vector<Image> images;
    for (const auto& p : art.pieces) {
        const Kind& kind = *findKind(p.kind);
        for (int s = 0; s < p.states; ++s) {
            if (!p.present[s]) continue;
            cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height);
            cairo_t* cr = cairo_create(surface);
            Canvas canvas{cr, art, p, s};
            kind.draw(canvas);
            const cairo_status_t status = cairo_status(cr);
            cairo_destroy(cr);
            if (status != CAIRO_STATUS_SUCCESS)
                p.d->head.fail(std::string("drawing failed: ") + cairo_status_to_string(status));
            images.push_back({p.id() + static_cast<std::uint32_t>(s), p.depth, surface});
        }
    }
    return images;
}

std::string hexName(std::uint32_t id) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04x", id);
    return buf;
}

void writeSheet(const fs::path& file, const std::vector<Image>& images) {
    int width = 16, height = 16, rowH = 0, x = 8;
    const int maxW = 1200;
    std::vector<std::pair<int, int>> at;
    int y = 8;
    for (const auto& i : images) {
        const int w = cairo_image_surface_get_width(i.surface), h = cairo_image_surface_get_height(i.surface);
        if (x + w > maxW && x > 8) x = 8, y += rowH + 22, rowH = 0;
        at.emplace_back(x, y);
        x += w + 10;
        rowH = std::max(rowH, h);
        width = std::max(width, x);
        height = std::max(height, y + rowH + 22);
    }
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.55, 0.2, 0.55);
    cairo_paint(cr);
    for (std::size_t k = 0; k < images.size(); ++k) {
        cairo_set_source_surface(cr, images[k].surface, at[k].first, at[k].second);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 9);
        cairo_move_to(cr, at[k].first, at[k].second + cairo_image_surface_get_height(images[k].surface) + 10);
        cairo_show_text(cr, ("0x" + hexName(images[k].id)).c_str());
    }
    cairo_destroy(cr);
    cairo_surface_write_to_png(sheet, file.c_str());
    cairo_surface_destroy(sheet);
}

int run(int argc, char** argv) {
    if (argc != 4 && !(argc == 6 && std::string(argv[4]) == "--sheet")) {
        std::cerr << "usage: tj20_artgen <module.gau> <art.txt> <output directory> [--sheet <file.png>]\n";
        return 2;
    }
    const fs::path module = argv[1], artFile = argv[2], out = argv[3];
    Artwork art = resolve(readGauge(module), readArtFile(artFile), artFile.string());
    const auto images = drawAll(art);

    fs::create_directories(out);
    for (const auto& entry : fs::directory_iterator(out))
        if (entry.path().extension() == ".bmp") fs::remove(entry.path());
    std::map<std::uint32_t, std::vector<std::uint8_t>> dibs;
    std::ofstream rc(out / "resources.rc"), manifest(out / "manifest.txt");
    rc << "// The bitmaps of " << art.module << ", drawn by tj20_artgen from " << artFile.filename().string() << ".\n";
    for (const auto& i : images) {
        const Piece* owner = nullptr;
        for (const auto& p : art.pieces)
            if (i.id >= p.id() && i.id < p.id() + static_cast<std::uint32_t>(p.states)) owner = &p;
        auto dib = toDib(i.surface, i.depth, matteOf(*owner));
        const fs::path bmp = fs::absolute(out / (hexName(i.id) + ".bmp"));
        writeBmp(bmp, dib);
        rc << i.id << " BITMAP \"" << bmp.generic_string() << "\"\n";
        manifest << "0x" << hexName(i.id) << ' ' << cairo_image_surface_get_width(i.surface) << ' '
                 << cairo_image_surface_get_height(i.surface) << ' ' << i.depth << '\n';
        dibs[i.id] = std::move(dib);
    }
    const auto directory = resourceDirectory(dibs);
    std::ofstream bin(out / "resources.bin", std::ios::binary);
    bin.write(reinterpret_cast<const char*>(directory.data()), static_cast<std::streamsize>(directory.size()));
    if (!rc || !manifest || !bin) throw std::runtime_error(out.string() + ": cannot write the resources");
    if (argc == 6) writeSheet(argv[5], images);
    for (const auto& i : images) cairo_surface_destroy(i.surface);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 1;
    try {
        status = run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tj20_artgen: " << e.what() << "\n";
    }
    // What Cairo and fontconfig keep for the program's life, released before it ends.
    cairo_debug_reset_static_data();
    FcFini();
    return status;
}
