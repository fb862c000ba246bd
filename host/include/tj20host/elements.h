// A display element as the host evaluated it at the last draw.
#pragma once

#include <cstdint>
#include <string>

namespace tj20::host {

struct ElementState {
    // The element kinds, numbered as the module interface numbers them.
    enum Kind : std::uint32_t {
        StaticImage = 0,
        Needle = 1,
        Text = 2,
        Slider = 3,
        Icon = 4,
        MovingImage = 5,
        Sprite = 6
    };

    Kind kind = StaticImage;
    std::uint32_t bitmap = 0;  // resource identifier (base for icons)
    int x = 0;                 // position on the gauge
    int y = 0;
    int width = 0;  // bitmap size from the module's manifest, 0 when not given
    int height = 0;
    std::uint32_t images = 0;  // icons: declared number of states
    std::uint32_t flags = 0;   // image flags after the callback
    bool visible = true;       // hidden bit clear
    bool lit = false;          // lit bit set
    double value = 0;          // callback result: icon state, needle value, slider/sprite x
    int state = 0;             // icons: the state shown (clamped to the last image)
    double angle = 0;          // needles: interpolated angle, radians, clamped at the table's ends
    std::string text;          // texts: the buffer after the callback
    double offsetX = 0;        // sliders, moving images, sprites: value × scale, pixels
    double offsetY = 0;
    double scaleX = 0;  // sliders and moving images: the scales, pixels per unit
    double scaleY = 0;
    double rotation = 0;  // sprites: angle callback × scale
    int pivotX = 0;       // needles and sprites: the point of the bitmap that lies on the position
    int pivotY = 0;
    // Texts: the box, the colours (0x00BBGGRR; a background of 0 is transparent), the font.
    int boxWidth = 0;
    int boxHeight = 0;
    std::uint32_t textColour = 0;
    std::uint32_t backgroundColour = 0;
    std::string font;
    std::uint32_t fontWeight = 0;

    bool moves() const { return kind == Slider || kind == MovingImage || kind == Sprite; }
};

// "a needle", "an icon", ... for messages.
const char* describe(ElementState::Kind kind);

}  // namespace tj20::host
