// The artwork generator's rules, on gauges written out here: a description that does not fit
// its gauge is refused naming the line and the problem; sizes, states and depths come out as
// the descriptions and the gauge ask; and the bitmaps it writes read back through the host.
#include <cairo.h>
#include <gtest/gtest.h>

#include <numbers>

#include "artwork.h"
#include "dib.h"
#include "resource_dir.h"
#include "tj20host/needle_bitmap.h"
#include "tj20host/resources.h"

namespace tj20::art {
namespace {

using E = GaugeElement;

// A switch panel: background, a two-image switch at 20,10 with its two halves as mouse areas,
// a needle about 100,60 and a lettering overlay.
Gauge switchPanel() {
    Gauge g;
    g.name = "rl_tj20_test";
    E bg;
    bg.bitmap = 0x100;
    E sw;
    sw.kind = host::ElementState::Icon, sw.bitmap = 0x1100, sw.at = {20, 10}, sw.images = 2;
    E needle;
    needle.kind = host::ElementState::Needle, needle.bitmap = 0x1200, needle.at = {100, 60}, needle.pivot = {4, 4};
    needle.scale = {{{70, 60}, 0}, {{100, 30}, 50}, {{130, 60}, 100}};
    E overlay;
    overlay.kind = host::ElementState::Icon, overlay.bitmap = 0x1300, overlay.images = 2;
    g.elements = {bg, sw, needle, overlay};
    g.areas = {{18, 8, 30, 20}, {18, 28, 30, 22}, {150, 90, 10, 10}};
    return g;
}

Artwork resolved(const std::string& text) { return resolve(switchPanel(), readArtText(text, "art.txt"), "art.txt"); }

const std::string fits = "panel 0x100 \"TEST\"\nswitch 0x1100 \"OFF\" \"ON\"\nneedle 0x1200\noverlay 0x1300\n";

TEST(Artwork, ADescriptionThatDoesNotFitItsGaugeIsRefusedNamingTheLine) {
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    for (const auto& c : std::vector<Case>{
             {"unknown kind", "panel 0x100\nswich 0x1100\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:2: unknown kind 'swich' (did you mean switch?)"},
             {"element left out", "panel 0x100\nneedle 0x1200\noverlay 0x1300\n",
              "an icon at 20,10 draws bitmap 0x1100, which the description does not name"},
             {"bitmap no element draws", fits + "light 0x1400 \"X\"\n",
              "art.txt:5: bitmap 0x1400 is drawn by no element"},
             {"wrong kind for the element", "panel 0x100\nneedle 0x1100\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:2: bitmap 0x1100 is drawn by an icon at 20,10, which cannot show a needle"},
             {"legends and images disagree",
              "panel 0x100\nswitch 0x1100 \"A\" \"B\" \"C\"\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:2: the icon has 2 images"},
             {"unknown option", "panel 0x100 colour=red\nswitch 0x1100\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:1: 'panel' takes no option 'colour'"},
             {"bad size", "panel 0x100 size=20by30\nswitch 0x1100\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:1: '20by30' must read widthxheight"},
             {"bad depth", "panel 0x100 depth=16\nswitch 0x1100\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:1: a colour depth is 8, 24 or 32 bits"},
             {"described twice", fits + "needle 0x1200\n", "art.txt:5: bitmap 0x1200 is described twice"},
             {"drawing before any bitmap", "  text 1,1 \"X\"\n" + fits,
              "art.txt:1: an indented line belongs to a bitmap"},
             {"unknown drawing", "panel 0x100\n  paint 1,1\nswitch 0x1100\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:2: a background draws text"},
             {"state beyond the icon", "panel 0x100\nswitch 0x1100 absent=2\nneedle 0x1200\noverlay 0x1300\n",
              "art.txt:2: state 2 is not one of the icon's 2"},
         }) {
        try {
            resolved(c.text);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const ArtError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

TEST(Artwork, IconStatesMustNotRunIntoAnotherBitmap) {
    Gauge g = switchPanel();
    g.elements[1].images = 0x201;  // would reach 0x1200, the needle's
    try {
        resolve(g, readArtText(fits, "art.txt"), "art.txt");
        ADD_FAILURE() << "accepted";
    } catch (const ArtError& e) {
        EXPECT_NE(std::string(e.what()).find(
                      "state 256 of bitmap 0x1100 would take identifier 0x1200, which line 3 describes"),
                  std::string::npos)
            << e.what();
    }
}

TEST(Artwork, SizesComeFromTheDescriptionOrElseFromTheGauge) {
    const Artwork art = resolved(fits);
    const Piece& background = *art.piece(0x100);
    const Piece& sw = *art.piece(0x1100);
    const Piece& needle = *art.piece(0x1200);
    const Piece& overlay = *art.piece(0x1300);
    // The switch covers its two stacked mouse areas, from its own position.
    EXPECT_EQ(sw.width, 48 - 20);
    EXPECT_EQ(sw.height, 50 - 10);
    // The background covers every element and mouse area (the area at 150,90 10x10 is the farthest).
    EXPECT_EQ(background.width, 160);
    EXPECT_EQ(background.height, 100);
    EXPECT_EQ(overlay.width, background.width);
    EXPECT_EQ(overlay.height, background.height);
    // A needle too long to point up from its pivot points right, as long as its scale's reach.
    EXPECT_EQ(host::needleBitmapAngle(needle.width, needle.height, 4, 4), std::numbers::pi / 2);
    EXPECT_GE(needle.width, 4 + 29);
    // Depths: 24 unless the kind or the description says otherwise.
    EXPECT_EQ(background.depth, 24);
    EXPECT_EQ(overlay.depth, 32);
    EXPECT_EQ(resolved("panel 0x100\nlight 0x1100 \"ON\"\nneedle 0x1200\noverlay 0x1300\n").piece(0x1100)->depth, 8);
    EXPECT_EQ(resolved("panel 0x100 depth=8\nswitch 0x1100\nneedle 0x1200\noverlay 0x1300\n").piece(0x100)->depth, 8);
    // The given size wins.
    EXPECT_EQ(resolved("panel 0x100 size=300x200\nswitch 0x1100 size=10x12\nneedle 0x1200\noverlay 0x1300\n")
                  .piece(0x1100)
                  ->width,
              10);
}

TEST(Artwork, AnOverlayLeavesOutItsDarkImageAndAbsentStatesStayOut) {
    const Artwork art = resolved("panel 0x100\nswitch 0x1100 absent=0\nneedle 0x1200\noverlay 0x1300\n");
    EXPECT_EQ(art.piece(0x1300)->present, (std::vector<bool>{false, true}));
    EXPECT_EQ(art.piece(0x1100)->present, (std::vector<bool>{false, true}));
}

TEST(Artwork, ADescriptionReadsItsLegendsOptionsAndComments) {
    const auto d = readArtText(
        "# a comment\nknob 0x1600 \"APU\" \"EXT PWR\" sweep=200 fill=#1c1c1e  # to the end\n"
        "  text 10,20 \"L CSD|DISC\" size=8 left\n",
        "art.txt");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].id, 0x1600u);
    EXPECT_EQ(d[0].head.verb, "knob");
    EXPECT_EQ(d[0].head.quoted, (std::vector<std::string>{"APU", "EXT PWR"}));
    EXPECT_EQ(d[0].head.option("sweep"), "200");
    EXPECT_EQ(d[0].head.option("fill"), "#1c1c1e");
    ASSERT_EQ(d[0].items.size(), 1u);
    EXPECT_EQ(d[0].items[0].bare, (std::vector<std::string>{"10,20", "left"}));
    EXPECT_EQ(d[0].items[0].place.line, 3);
}

// What the generator writes is what the host reads: each depth through the resource directory
// and back, pure black becoming the transparent colour and painted black staying visible.
TEST(Artwork, BitmapsReadBackThroughTheHostAtEveryDepth) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, 0, 0, 1, 1);
    cairo_set_source_rgb(cr, 1, 0.5, 0);  // orange
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 0, 1, 1);
    cairo_set_source_rgb(cr, 0, 0, 0);  // painted black
    cairo_fill(cr);
    cairo_destroy(cr);  // the rest stays clear
    std::map<std::uint32_t, std::vector<std::uint8_t>> bitmaps;
    for (int depth : {8, 24, 32}) bitmaps[static_cast<std::uint32_t>(depth)] = toDib(s, depth, style::Panel);
    cairo_surface_destroy(s);
    const auto directory = resourceDirectory(bitmaps);
    const host::ResourceSection section{{directory.begin(), directory.end()}, 0};
    const auto list = host::listBitmaps(section, "test");
    ASSERT_EQ(list.size(), 3u);
    for (const auto& b : list) {
        EXPECT_EQ(b.depth, b.id);
        EXPECT_EQ(b.width, 3u);
        EXPECT_EQ(b.height, 2u);
        const auto p = host::decodeBitmap(section, b, "test");
        EXPECT_NEAR(static_cast<int>((p.at(0, 0) >> 16) & 0xff), 255, 2) << b.depth;
        EXPECT_NEAR(static_cast<int>((p.at(0, 0) >> 8) & 0xff), 128, 3) << b.depth;
        EXPECT_EQ(p.at(1, 0) >> 24, 0xffu) << b.depth << ": painted black is drawn";
        EXPECT_EQ(p.at(2, 1), 0u) << b.depth << ": clear stays clear";
    }
}

// A strip is laid out for the element's scale: as long as the window plus the scale's travel.
TEST(Artwork, AStripIsAsLongAsItsWindowAndItsTravel) {
    Gauge g;
    g.name = "rl_tj20_strips";
    E bg;
    bg.bitmap = 0x100;
    E drum;
    drum.kind = host::ElementState::MovingImage, drum.bitmap = 0x1100, drum.at = {10, 10}, drum.scaleY = 9.9;
    E tape;
    tape.kind = host::ElementState::MovingImage, tape.bitmap = 0x1200, tape.at = {10, 40}, tape.scaleX = -1;
    g.elements = {bg, drum, tape};
    const auto art = resolve(g,
                             readArtText("panel 0x100\ndrum 0x1100\nwindow 0x1101 size=14x11\n"
                                         "tape 0x1200 from=50 to=450\nwindow 0x1201 size=80x18\n",
                                         "art.txt"),
                             "art.txt");
    EXPECT_EQ(art.piece(0x1100)->width, 14);
    EXPECT_EQ(art.piece(0x1100)->height, 11 + 99) << "ten digits at 9.9 pixels";
    EXPECT_EQ(art.piece(0x1200)->width, 80 + 450);
    EXPECT_EQ(art.piece(0x1200)->height, 18);
    // The background covers each strip's window, not the strip.
    EXPECT_EQ(art.root().width, 10 + 80);
    EXPECT_EQ(art.root().height, 40 + 18);
    try {
        resolve(g, readArtText("panel 0x100\ndrum 0x1100\ntape 0x1200\nwindow 0x1201 size=80x18\n", "art.txt"),
                "art.txt");
        ADD_FAILURE() << "a strip without its window was accepted";
    } catch (const ArtError& e) {
        EXPECT_NE(std::string(e.what()).find("a moving image at 10,10 needs a window, bitmap 0x1101"),
                  std::string::npos)
            << e.what();
    }
}

// An 8-bit bitmap keeps its colours when they fit its palette: a lens's ramp of one hue and its
// legend's ink come back as drawn.
TEST(Artwork, AnEightBitBitmapKeepsColoursThatFitItsPalette) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 100, 3);
    cairo_t* cr = cairo_create(s);
    for (int x = 0; x < 100; ++x) {
        cairo_rectangle(cr, x, 0, 1, 2);
        cairo_set_source_rgb(cr, 1, (40 + 2 * x) / 255.0, 0.1);  // 100 shades of amber
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, 2, 100, 1);
    cairo_set_source_rgb(cr, 0.06, 0.05, 0.03);  // the legend's ink
    cairo_fill(cr);
    cairo_destroy(cr);
    std::map<std::uint32_t, std::vector<std::uint8_t>> one{{1, toDib(s, 8, style::Panel)}};
    const auto dir = resourceDirectory(one);
    const host::ResourceSection section{{dir.begin(), dir.end()}, 0};
    const auto p = host::decodeBitmap(section, host::listBitmaps(section, "test").at(0), "test");
    cairo_surface_flush(s);
    const auto* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 100; ++x) {
            const std::uint32_t want = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
            EXPECT_EQ(p.at(x, y), want) << x << "," << y;
        }
    cairo_surface_destroy(s);
}

}  // namespace
}  // namespace tj20::art
