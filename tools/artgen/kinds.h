// The kinds of bitmap a description can name, what elements may draw each, its default
// size and depth, and how it draws one of its images.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "artwork.h"
#include "paint.h"

namespace tj20::art {

struct Canvas {
    cairo_t* cr;
    const Artwork& art;
    const Piece& piece;
    int state;  // the icon state drawn (0 for other elements)
    double w() const { return piece.width; }
    double h() const { return piece.height; }
};

struct Kind {
    const char* name = "";
    std::vector<GaugeElement::Kind> drawnBy{};  // element kinds that may draw it
    int depth = 24;
    // Fills width and height when the description gives no size; may read the gauge.
    std::function<void(Piece&, const Artwork&)> size{};
    // Checks the description's options and legends against the element (before drawing).
    std::function<void(const Piece&)> check{};
    std::function<void(Canvas&)> draw{};
    bool stateZeroAbsent = false;  // the first image shows nothing and is left out
    // What the gauge's background carries at an icon of this kind: switch position legends, an
    // unlit light's lens. `face`: the whole background (false: its lettering only).
    std::function<void(cairo_t*, const Piece&, const GaugeElement&, const Rgb& ink, bool face)> labels{};
};

const Kind* findKind(const std::string& name);
// Splits an option's "a,b,c" into its parts.
std::vector<std::string> listOf(const std::string& text);
std::vector<std::string> kindNames();

// Kinds are registered by the files that draw them.
void addKind(Kind k);
void registerPanelKinds();
void registerControlKinds();
void registerLightKinds();
void registerMovingKinds();

}  // namespace tj20::art
