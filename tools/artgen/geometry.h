// What the artwork generator learns from a built gauge module without running any of its
// code: the gauge's elements (kind, bitmap, position, pivot, icon images, needle table
// points, text boxes) and its mouse areas. The records are constant-initialised data, so
// opening the module runs nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tj20host/elements.h"

namespace tj20::art {

struct Pt {
    int x = 0;
    int y = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
};

struct ScaleMark {
    Pt point;  // where the needle points at this value, on the gauge face
    double value = 0;
};

struct GaugeElement {
    using Kind = host::ElementState::Kind;  // numbered as the module interface numbers them
    Kind kind = host::ElementState::StaticImage;
    std::uint32_t bitmap = 0;
    Pt at;                          // position on the gauge
    Pt pivot;                       // the point of the bitmap that lies on the position (needles, sprites)
    std::uint32_t images = 0;       // icons
    std::vector<ScaleMark> scale;   // needles
    double period = 0;              // needles on a full-circle dial: the value of one turn
    Pt box;                         // texts: the box's width and height
    double scaleX = 0, scaleY = 0;  // sliders and moving images: pixels per unit
};

struct Gauge {
    std::string name;
    std::vector<GaugeElement> elements;  // chain order, the background first
    std::vector<Rect> areas;             // mouse areas and tooltips' boxes are left out
};

// Reads the gauge of a built module; throws std::runtime_error naming the file on failure.
Gauge readGauge(const std::filesystem::path& module);

}  // namespace tj20::art
