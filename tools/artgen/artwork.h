// A module's artwork: its description matched to the gauge's elements, every bitmap with its
// identifier, size, colour depth and states resolved, ready to be drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "art_file.h"
#include "geometry.h"

namespace tj20::art {

struct Piece {
    const Description* d = nullptr;
    std::string kind;                       // the description's kind word
    std::vector<const GaugeElement*> uses;  // the elements that draw it
    int width = 0;
    int height = 0;
    int depth = 24;             // 8, 24 or 32 bits per pixel
    int states = 1;             // icons: the element's images
    std::vector<bool> present;  // per state: the module carries its bitmap
    std::uint32_t id() const { return d->id; }
    const GaugeElement& first() const { return *uses.front(); }
};

struct Artwork {
    std::string module;
    Gauge gauge;
    std::vector<Description> descriptions;
    std::vector<Piece> pieces;  // in description order; the background's piece is `background`
    std::size_t background = 0;

    const Piece* piece(std::uint32_t id) const;
    const Piece& root() const { return pieces[background]; }
};

// Matches the description to the gauge and settles every size, depth and state; a
// description that does not fit the gauge is an ArtError naming the line and the problem.
Artwork resolve(Gauge gauge, std::vector<Description> descriptions, const std::string& artFile);

// "an icon at 54,20" for messages.
std::string describe(const GaugeElement& e);

}  // namespace tj20::art
