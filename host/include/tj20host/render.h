// Drawing the panel: each window as the pilot would see it at this point of the flight,
// from the modules' own bitmaps and the elements as the last cycle left them.
//
// Per window, on its background colour, each gauge of the window at its place (scaled to the
// width and height the configuration gives it, if any), clipped to its background bitmap, its
// elements in chain order:
//   - a static image or an icon in its current state (state k shows bitmap base + k; a state
//     the module carries no bitmap for draws nothing);
//   - a needle turned about its pivot to its angle: its bitmap points from the pivot towards
//     the farthest of its edges (right, up, down or left, in that order on a tie);
//   - a slider offset by value × scale; a sprite offset likewise (on the window's axes) and
//     turned about its pivot, counter-clockwise by its angle;
//   - a moving image: a strip seen through its window, bitmap base + 1 at the element's
//     position; the window shows the strip from value × scale on each axis, counted from the
//     strip's top-left for a positive scale and from its bottom-right for a negative one;
//   - a text in its box: its background unless 0 (transparent), its colour, its font
//     (tj20host/fonts.h) four fifths as tall as the box, from the box's left edge (narrowed where
//     it would overflow the box);
//   - hidden elements left out; lit elements at full brightness, the rest dimmed to the
//     panel's unlit brightness.
// Hidden windows are drawn as well: the picture shows what the window holds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tj20host/config.h"
#include "tj20host/panel.h"

namespace tj20::host {

// An image as 0xAARRGGBB words (premultiplied alpha), top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

// PNG files through Cairo; a file that cannot be read or written raises std::runtime_error.
Picture readPng(const std::filesystem::path& file);
void writePng(const Picture& picture, const std::filesystem::path& file);

// Where two pictures of one size differ: pixels with any channel more than `tolerance` apart,
// and the box round them (empty when none).
struct Difference {
    int pixels = 0;
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int largest = 0;                               // the largest channel difference seen
};
Difference compare(const Picture& a, const Picture& b, int tolerance);

struct RenderOptions {
    double unlit = 0.62;  // brightness of what is not drawn lit, 0 to 1
};

class Renderer {
public:
    explicit Renderer(std::filesystem::path moduleDir, RenderOptions options = {});
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    Picture window(const Panel& panel, const WindowConfig& window);
    // One gauge alone, at its background's size.
    Picture gauge(const Panel& panel, const std::string& module);
    // Writes the named windows (title, section or ident; every window when none is named) as
    // <directory>/<file name>.png, and the named gauges (rl_tj20_x or x) as <module>.png, and
    // returns the files written.
    std::vector<std::filesystem::path> writeWindows(const Panel& panel, const PanelConfig& config,
                                                    const std::filesystem::path& directory,
                                                    const std::vector<std::string>& names = {});

    struct Bitmaps;

private:
    const Bitmaps& bitmapsOf(const std::string& module);
    std::filesystem::path moduleDir_;
    RenderOptions options_;
    std::map<std::string, std::unique_ptr<Bitmaps>> modules_;
};

// What a scenario run's render steps draw with (ScenarioOptions::render): one renderer for the
// run's modules.
std::function<std::vector<std::filesystem::path>(const Panel&, const PanelConfig&, const std::filesystem::path&,
                                                 const std::vector<std::string>&)>
renderSteps(std::filesystem::path moduleDir, RenderOptions options = {});

// Releases what Cairo and fontconfig keep for the life of the program (font caches); called
// once drawing is over, before the program ends.
void releaseDrawingCaches();

// The window a name picks (title, section or ident), or null.
const WindowConfig* findWindow(const PanelConfig& config, std::string_view name);
// A window's picture file name without extension: its ident, else its title in lower case
// with every run of other characters as one '_' ("Main Panel": "main_panel").
std::string windowFileName(const WindowConfig& window);

}  // namespace tj20::host
