// Drawing the windows of a panel (tj20host/render.h).
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "tj20host/fonts.h"
#include "tj20host/module_file.h"
#include "tj20host/needle_bitmap.h"
#include "tj20host/render.h"

namespace tj20::host {

// A module's bitmaps as Cairo surfaces, by identifier.
struct Renderer::Bitmaps {
    std::map<std::uint32_t, cairo_surface_t*> surfaces;
    ~Bitmaps() {
        for (auto& [id, s] : surfaces) cairo_surface_destroy(s);
    }
    cairo_surface_t* find(std::uint32_t id) const {
        const auto it = surfaces.find(id);
        return it == surfaces.end() ? nullptr : it->second;
    }
};

namespace {

constexpr double WindowGrey = 0.105;  // what shows where no gauge lies

cairo_surface_t* surfaceOf(const Pixels& p) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < p.height; ++y)
        std::memcpy(data + y * stride, &p.argb[static_cast<std::size_t>(y) * p.width], p.width * 4u);
    cairo_surface_mark_dirty(s);
    return s;
}

double brightnessOf(const ElementState& e, const RenderOptions& options) { return e.lit ? 1.0 : options.unlit; }

// The bitmap at the user-space origin, dimmed to `brightness` where it is opaque.
void paintBitmap(cairo_t* cr, cairo_surface_t* s, double brightness) {
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    if (brightness >= 1) return;
    cairo_set_source_rgba(cr, 0, 0, 0, 1 - brightness);
    cairo_mask_surface(cr, s, 0, 0);
}

void drawText(cairo_t* cr, const ElementState& e, double brightness) {
    if (e.boxWidth <= 0 || e.boxHeight <= 0) return;
    auto channel = [](std::uint32_t colour, int shift) { return ((colour >> shift) & 0xff) / 255.0; };
    if (e.backgroundColour != 0) {
        cairo_rectangle(cr, e.x, e.y, e.boxWidth, e.boxHeight);
        cairo_set_source_rgb(cr, channel(e.backgroundColour, 0) * brightness,
                             channel(e.backgroundColour, 8) * brightness, channel(e.backgroundColour, 16) * brightness);
        cairo_fill(cr);
    }
    if (e.text.empty()) return;
    selectFace(cr, mapFont(e.font, e.fontWeight));
    // Four fifths of the box's height, from its left edge (the text-drawing flags of the
    // elements ask for left alignment), narrower where the text would overflow the box.
    double size = e.boxHeight * 0.8;
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, e.text.c_str(), &ext);
    if (ext.x_advance > e.boxWidth) {
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, size * e.boxWidth / ext.x_advance, size);
        cairo_set_font_matrix(cr, &m);
        cairo_text_extents(cr, e.text.c_str(), &ext);
    }
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_save(cr);
    cairo_rectangle(cr, e.x, e.y, e.boxWidth, e.boxHeight);
    cairo_clip(cr);
    cairo_move_to(cr, e.x, e.y + e.boxHeight / 2.0 + (fe.ascent - fe.descent) / 2);
    cairo_set_source_rgb(cr, channel(e.textColour, 0) * brightness, channel(e.textColour, 8) * brightness,
                         channel(e.textColour, 16) * brightness);
    cairo_show_text(cr, e.text.c_str());
    cairo_restore(cr);
    cairo_new_path(cr);
}

// A moving image: its strip seen through its window (base + 1) at the element's position.
void drawMoving(cairo_t* cr, const ElementState& e, cairo_surface_t* strip, cairo_surface_t* window,
                double brightness) {
    const int stripW = cairo_image_surface_get_width(strip), stripH = cairo_image_surface_get_height(strip);
    const int windowW = window ? cairo_image_surface_get_width(window) : stripW;
    const int windowH = window ? cairo_image_surface_get_height(window) : stripH;
    const double fromX = e.scaleX >= 0 ? e.offsetX : stripW - windowW + e.offsetX;
    const double fromY = e.scaleY >= 0 ? e.offsetY : stripH - windowH + e.offsetY;
    cairo_save(cr);
    cairo_translate(cr, e.x, e.y);
    cairo_push_group(cr);
    cairo_save(cr);
    cairo_translate(cr, -fromX, -fromY);
    paintBitmap(cr, strip, brightness);
    cairo_restore(cr);
    cairo_pop_group_to_source(cr);
    if (window)
        cairo_mask_surface(cr, window, 0, 0);
    else
        cairo_paint(cr);
    cairo_restore(cr);
}

void drawElement(cairo_t* cr, const ElementState& e, const Renderer::Bitmaps& bitmaps, const RenderOptions& options) {
    if (!e.visible) return;
    const double brightness = brightnessOf(e, options);
    if (e.kind == ElementState::Text) return drawText(cr, e, brightness);
    const std::uint32_t id = e.kind == ElementState::Icon ? e.bitmap + static_cast<std::uint32_t>(e.state) : e.bitmap;
    cairo_surface_t* s = bitmaps.find(id);
    if (!s) return;  // a state without a bitmap draws nothing
    cairo_save(cr);
    switch (e.kind) {
        case ElementState::Needle: {
            const double natural = needleBitmapAngle(cairo_image_surface_get_width(s),
                                                     cairo_image_surface_get_height(s), e.pivotX, e.pivotY);
            cairo_translate(cr, e.x, e.y);
            cairo_rotate(cr, e.angle - natural);
            cairo_translate(cr, -e.pivotX, -e.pivotY);
            paintBitmap(cr, s, brightness);
            break;
        }
        case ElementState::Sprite:
            // Sprites turn counter-clockwise by their angle (a compass card turning as the heading
            // grows keeps the heading under its lubber line).
            cairo_translate(cr, e.x + e.offsetX, e.y + e.offsetY);
            cairo_rotate(cr, -e.rotation);
            cairo_translate(cr, -e.pivotX, -e.pivotY);
            paintBitmap(cr, s, brightness);
            break;
        case ElementState::Slider:
            cairo_translate(cr, e.x + e.offsetX, e.y + e.offsetY);
            paintBitmap(cr, s, brightness);
            break;
        case ElementState::MovingImage:
            drawMoving(cr, e, s, bitmaps.find(e.bitmap + 1), brightness);
            break;
        default:
            cairo_translate(cr, e.x, e.y);
            paintBitmap(cr, s, brightness);
            break;
    }
    cairo_restore(cr);
}

}  // namespace

Renderer::Renderer(std::filesystem::path moduleDir, RenderOptions options)
    : moduleDir_(std::move(moduleDir)), options_(options) {}

Renderer::~Renderer() = default;

const Renderer::Bitmaps& Renderer::bitmapsOf(const std::string& module) {
    auto& slot = modules_[module];
    if (slot) return *slot;
    slot = std::make_unique<Bitmaps>();
    const auto file = moduleDir_ / (module + ".gau");
    const ModuleFile m = readModuleFile(file);
    for (const auto& b : m.bitmaps) slot->surfaces[b.id] = surfaceOf(decodeBitmap(m.resources, b, file.string()));
    return *slot;
}

Picture Renderer::gauge(const Panel& panel, const std::string& module) {
    const auto elements = panel.elements(module);
    cairo_surface_t* background = elements.empty() ? nullptr : bitmapsOf(module).find(elements.front().bitmap);
    WindowConfig alone;
    alone.width = background ? cairo_image_surface_get_width(background) : 1;
    alone.height = background ? cairo_image_surface_get_height(background) : 1;
    GaugePlacement place;
    place.module = place.gauge = module;
    alone.gauges.push_back(place);
    return window(panel, alone);
}

Picture Renderer::window(const Panel& panel, const WindowConfig& window) {
    const int w = std::max(1, window.width), h = std::max(1, window.height);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, WindowGrey, WindowGrey * 1.05, WindowGrey * 1.1);
    cairo_paint(cr);
    for (const auto& place : window.gauges) {
        const Bitmaps& bitmaps = bitmapsOf(place.module);
        const auto elements = panel.elements(place.module);
        cairo_save(cr);
        cairo_translate(cr, place.x, place.y);
        // A gauge is the rectangle of its background, drawn at the size the window gives it.
        cairo_surface_t* background = elements.empty() ? nullptr : bitmaps.find(elements.front().bitmap);
        if (background) {
            const int bw = cairo_image_surface_get_width(background), bh = cairo_image_surface_get_height(background);
            if (place.width > 0) {
                const double sx = static_cast<double>(place.width) / bw;
                cairo_scale(cr, sx, place.height > 0 ? static_cast<double>(place.height) / bh : sx);
            }
            cairo_rectangle(cr, 0, 0, bw, bh);
            cairo_clip(cr);
        }
        for (const auto& e : elements) drawElement(cr, e, bitmaps, options_);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    Picture p;
    p.width = w;
    p.height = h;
    p.argb.resize(static_cast<std::size_t>(w) * h);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < h; ++y) std::memcpy(&p.argb[static_cast<std::size_t>(y) * w], data + y * stride, w * 4u);
    cairo_surface_destroy(surface);
    return p;
}

std::vector<std::filesystem::path> Renderer::writeWindows(const Panel& panel, const PanelConfig& config,
                                                          const std::filesystem::path& directory,
                                                          const std::vector<std::string>& names) {
    std::vector<const WindowConfig*> windows;
    std::vector<std::string> gauges;
    for (const auto& name : names) {
        if (const WindowConfig* w = findWindow(config, name))
            windows.push_back(w);
        else if (panel.hasGauge(name))
            gauges.push_back(name);
        else if (panel.hasGauge("rl_tj20_" + name))
            gauges.push_back("rl_tj20_" + name);
        else
            throw std::invalid_argument("the panel has no window or gauge " + name);
    }
    if (names.empty())
        for (const auto& w : config.windows) windows.push_back(&w);
    std::filesystem::create_directories(directory);
    std::vector<std::filesystem::path> files;
    for (const WindowConfig* w : windows) {
        files.push_back(directory / (windowFileName(*w) + ".png"));
        writePng(window(panel, *w), files.back());
    }
    for (const auto& g : gauges) {
        files.push_back(directory / (g + ".png"));
        writePng(gauge(panel, g), files.back());
    }
    return files;
}

std::function<std::vector<std::filesystem::path>(const Panel&, const PanelConfig&, const std::filesystem::path&,
                                                 const std::vector<std::string>&)>
renderSteps(std::filesystem::path moduleDir, RenderOptions options) {
    auto renderer = std::make_shared<Renderer>(std::move(moduleDir), options);
    return [renderer](const Panel& panel, const PanelConfig& config, const std::filesystem::path& directory,
                      const std::vector<std::string>& windows) {
        return renderer->writeWindows(panel, config, directory, windows);
    };
}

const WindowConfig* findWindow(const PanelConfig& config, std::string_view name) {
    for (const auto& w : config.windows)
        if (w.title == name || w.section == name || (!w.ident.empty() && w.ident == name)) return &w;
    return nullptr;
}

std::string windowFileName(const WindowConfig& window) {
    if (!window.ident.empty()) return window.ident;
    std::string name;
    for (char c : window.title.empty() ? window.section : window.title) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name.empty() ? "window" : name;
}

}  // namespace tj20::host
