// The host's pictures of the panel: golden pictures of a few gauges at fixed states, a
// picture that changes where, and only where, an element changed, hidden and lit elements,
// scaled gauges, and the render step of scenarios.
//
// Golden pictures live in tests/golden/. Two pictures match when no more than 0.1 % of their
// pixels (and at least 8 are allowed) differ by more than 32 in any channel: room for a
// different rasteriser's antialiasing, none for a needle moved a few degrees or an icon
// thrown. TJ20_UPDATE_GOLDEN=1 in the environment writes the pictures afresh instead.
#include "tj20host/render.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <numbers>

#include "panel_test.h"
#include "tj20host/module_file.h"
#include "tj20host/needle_bitmap.h"
#include "tj20host/scenario.h"

namespace tj20::test {
namespace {

namespace fs = std::filesystem;
using host::Picture;

constexpr int ChannelTolerance = 32;

// Cairo's and fontconfig's caches go once every test has drawn, as the host's program lets them go.
class DrawingCaches : public ::testing::Environment {
public:
    void TearDown() override { host::releaseDrawingCaches(); }
};
const auto* const drawingCaches = ::testing::AddGlobalTestEnvironment(new DrawingCaches);

bool matches(const host::Difference& d, const Picture& p) { return d.pixels <= std::max(8, p.width * p.height / 1000); }

// One window of the given modules, each at the origin, as large as the first one's background.
struct Scene {
    std::vector<std::string> modules;
    std::vector<std::string> standIns;
    std::function<void(host::Panel&)> setUp;
    host::PanelConfig config;
    std::unique_ptr<host::Panel> panel;

    Picture draw(host::RenderOptions options = {}) {
        host::Renderer renderer(panelDir(), options);
        return renderer.window(*panel, config.windows.front());
    }
};

std::unique_ptr<Scene> scene(std::vector<std::string> modules, std::vector<std::string> standIns,
                             std::function<void(host::Panel&)> setUp, int width, int height) {
    auto s = std::make_unique<Scene>();
    s->modules = std::move(modules);
    s->config = host::PanelConfig::fromModules(s->modules);
    s->config.windows.front().width = width;
    s->config.windows.front().height = height;
    host::LoadOptions options{panelDir()};
    options.standInVariables = std::move(standIns);
    s->panel = host::Panel::load(s->config, options);
    s->panel->run(1);
    if (setUp) setUp(*s->panel);
    return s;
}

struct Golden {
    const char* name;
    std::vector<std::string> modules;
    std::vector<std::string> standIns;
    int width, height;
    std::function<void(host::Panel&)> setUp;
};

std::vector<Golden> goldens() {
    return {
        {"engine_n1",
         {"rl_tj20_engine1_n1"},
         {},
         302,
         302,
         [](host::Panel& p) {
             p.sim().set(0x270, 62.5);
             p.run(1);
         }},
        {"adi",
         {"rl_tj20_main_adi"},
         {"dh"},
         300,
         262,
         [](host::Panel& p) {
             p.sim().set(0x4e, 6);    // pitch
             p.sim().set(0x50, -15);  // bank
             p.sim().set(0x318, 1);   // flight director on
             p.sim().set(0x319, 8);
             p.sim().set(0x31a, -5);
             p.sim().set(0x29, 40);    // glide slope
             p.sim().set(0x28, -60);   // localizer
             p.sim().set(0x266, 500);  // radio height, metres
             p.run(1);
         }},
        {"annunciator_lights_test",
         {"rl_tj20_main_master_variables", "rl_tj20_annunpnl"},
         {},
         885,
         182,
         [](host::Panel& p) {
             p.setShared("lightstestsw", 1);
             p.run(1);
         }},
        {"elecpwr",
         {"rl_tj20_main_master_variables", "rl_tj20_elecpwr"},
         {"rpm", "extpwravail", "emerpwrsw", "battsw", "apulbuslt", "apurbuslt", "extlbuslt", "extrbuslt"},
         600,
         236,
         [](host::Panel& p) {
             p.setShared("ohpanel", 1);
             p.setShared("rpm", 200);
             p.mouse("rl_tj20_elecpwr", 60, 10);    // left CSD guard open
             p.mouse("rl_tj20_elecpwr", 420, 190);  // meter selector one step up
             p.run(3);
         }},
        {"altimeter",
         {"rl_tj20_main_altimeter"},
         {},
         270,
         268,
         [](host::Panel& p) {
             p.sim().set(0x4a, 12340);  // altitude
             p.sim().set(0x4b, 1013);
             p.sim().set(0x4c, 29.92);
             p.run(1);
         }},
    };
}

fs::path goldenFile(const char* name) { return fs::path(TJ20_GOLDEN_DIR) / (std::string(name) + ".png"); }

TEST(Render, GaugesMatchTheirGoldenPictures) {
    const bool update = std::getenv("TJ20_UPDATE_GOLDEN") != nullptr;
    for (const auto& g : goldens()) {
        auto s = scene(g.modules, g.standIns, g.setUp, g.width, g.height);
        const Picture now = s->draw();
        s.reset();
        if (update) {
            fs::create_directories(TJ20_GOLDEN_DIR);
            host::writePng(now, goldenFile(g.name));
            continue;
        }
        const Picture golden = host::readPng(goldenFile(g.name));
        const auto d = host::compare(now, golden, ChannelTolerance);
        EXPECT_TRUE(matches(d, now)) << g.name << ": " << d.pixels << " pixels differ, in the box " << d.left << ","
                                     << d.top << " to " << d.right << "," << d.bottom
                                     << " (TJ20_UPDATE_GOLDEN=1 draws the pictures afresh)";
    }
    if (update) GTEST_SKIP() << "golden pictures written to " << TJ20_GOLDEN_DIR;
}

// The comparison the goldens use is not blind: a needle a few degrees on, or an icon in
// another state, fails it.
TEST(Render, TheGoldenToleranceCatchesAMovedNeedleAndAThrownSwitch) {
    struct Case {
        const char* what;
        std::vector<std::string> modules;
        std::function<void(host::Panel&)> before, after;
        int width, height;
    };
    for (const auto& c : std::vector<Case>{
             {"N1 from 62.5 to 64",
              {"rl_tj20_engine1_n1"},
              [](host::Panel& p) { p.sim().set(0x270, 62.5); },
              [](host::Panel& p) { p.sim().set(0x270, 64); },
              302,
              302},
             {"fuel pump switch on",
              {"rl_tj20_main_master_variables", "rl_tj20_fuelpumps"},
              [](host::Panel&) {},
              [](host::Panel& p) { p.mouse("rl_tj20_fuelpumps", 20, 50); },
              228,
              180},
         }) {
        auto s = scene(c.modules, {}, c.before, c.width, c.height);
        s->panel->run(1);
        const Picture was = s->draw();
        c.after(*s->panel);
        s->panel->run(1);
        const Picture now = s->draw();
        EXPECT_FALSE(matches(host::compare(was, now, ChannelTolerance), now)) << c.what;
    }
}

// A picture changes where an element changed and nowhere else.
TEST(Render, APictureChangesOnlyWhereAnElementChanged) {
    struct Case {
        const char* what;
        std::vector<std::string> modules;
        std::vector<std::string> standIns;
        std::function<void(host::Panel&)> setUp, change;
        std::string gauge;
        std::size_t element;  // chain position of the element that changes
    };
    const std::vector<std::string> elecStandIns{"rpm",       "extpwravail", "emerpwrsw", "battsw",
                                                "apulbuslt", "apurbuslt",   "extlbuslt", "extrbuslt"};
    for (const auto& c : std::vector<Case>{
             {"a guard opened",
              {"rl_tj20_main_master_variables", "rl_tj20_elecpwr"},
              elecStandIns,
              {},
              [](host::Panel& p) { p.mouse("rl_tj20_elecpwr", 60, 10); },
              "rl_tj20_elecpwr",
              2},
             {"the meter selector turned",
              {"rl_tj20_main_master_variables", "rl_tj20_elecpwr"},
              elecStandIns,
              {},
              [](host::Panel& p) { p.mouse("rl_tj20_elecpwr", 420, 190); },
              "rl_tj20_elecpwr",
              7},
             // The thousands drum turns behind its window; the pointer (one turn per 1000 ft) stays.
             {"the thousands drum turned",
              {"rl_tj20_main_altimeter"},
              {},
              [](host::Panel& p) { p.sim().set(0x4a, 1000); },
              [](host::Panel& p) { p.sim().set(0x4a, 2000); },
              "rl_tj20_main_altimeter",
              2},
             // The small needle rests at its last mark from 9 % on, so only the dial needle moves.
             {"the N1 needle moved",
              {"rl_tj20_engine1_n1"},
              {},
              [](host::Panel& p) { p.sim().set(0x270, 20); },
              [](host::Panel& p) { p.sim().set(0x270, 40); },
              "rl_tj20_engine1_n1",
              2},
         }) {
        auto s = scene(c.modules, c.standIns, c.setUp, 600, 400);
        s->panel->run(2);
        const Picture was = s->draw();
        const auto before = s->panel->elements(c.gauge)[c.element];
        c.change(*s->panel);
        s->panel->run(1);
        const Picture now = s->draw();
        const auto after = s->panel->elements(c.gauge)[c.element];
        const auto d = host::compare(was, now, 0);
        ASSERT_GT(d.pixels, 0) << c.what << ": nothing changed";
        // The box the element can draw in: an icon's own, a needle's circle about its pivot.
        int left = after.x, top = after.y, right = after.x + after.width, bottom = after.y + after.height;
        if (after.kind == host::ElementState::MovingImage) {
            // A strip is seen only through its window, the bitmap after the strip's.
            const auto file = host::readModuleFile(panelDir() / (c.gauge + ".gau"));
            for (const auto& b : file.bitmaps)
                if (b.id == after.bitmap + 1) right = after.x + int(b.width), bottom = after.y + int(b.height);
        }
        if (after.kind == host::ElementState::Needle) {
            const int r = std::max(after.width, after.height);
            left = after.x - r, top = after.y - r, right = after.x + r, bottom = after.y + r;
        }
        EXPECT_TRUE(before.state != after.state || before.angle != after.angle || before.offsetY != after.offsetY)
            << c.what;
        EXPECT_GE(d.left, left - 1) << c.what;
        EXPECT_GE(d.top, top - 1) << c.what;
        EXPECT_LE(d.right, right + 1) << c.what;
        EXPECT_LE(d.bottom, bottom + 1) << c.what;
    }
}

TEST(Render, HiddenElementsAreLeftOutAndUnlitOnesDimmed) {
    auto s = scene({"rl_tj20_main_master_variables", "rl_tj20_annunpnl"}, {}, {}, 885, 182);
    const Picture dark = s->draw();
    ASSERT_TRUE(s->panel->setShared("lightstestsw", 1));
    s->panel->run(1);
    const Picture tested = s->draw();
    // "APU GEN OFF" (5, 55): hidden, the panel shows its dark lens; shown, it is lit amber.
    auto red = [](std::uint32_t argb) { return static_cast<int>((argb >> 16) & 0xff); };
    EXPECT_LT(red(dark.at(40, 58)), 90);
    EXPECT_GT(red(tested.at(40, 58)), 200);
    // The background is not lit: drawn at the unlit brightness, and brighter without dimming.
    const Picture undimmed = s->draw({.unlit = 1.0});
    EXPECT_GT(red(undimmed.at(2, 2)), red(tested.at(2, 2)));
    EXPECT_EQ(undimmed.at(40, 58), tested.at(40, 58)) << "a lit light is drawn the same at any panel brightness";
}

TEST(Render, AGaugeIsDrawnAtTheWidthTheWindowGivesIt) {
    auto config = host::PanelConfig::parse(
        "[Window Titles]\nWindow00=Engines\n[Window00]\nsize_mm=200,200\n"
        "gauge00=rl_tj20_engine1_n1!rl_tj20_engine1_n1, 10, 10, 100\n",
        "engines.cfg");
    EXPECT_EQ(config.windows[0].gauges[0].width, 100);
    auto panel = host::Panel::load(config, {panelDir()});
    panel->run(1);
    host::Renderer renderer(panelDir());
    const Picture p = renderer.window(*panel, config.windows[0]);
    const Picture empty = [&] {
        auto c = config;
        c.windows[0].gauges.clear();
        return renderer.window(*panel, c.windows[0]);
    }();
    const auto d = host::compare(p, empty, 0);
    EXPECT_EQ(d.left, 10);
    EXPECT_EQ(d.top, 10);
    EXPECT_LE(d.right, 110);
    EXPECT_LE(d.bottom, 110);
    EXPECT_GE(d.right, 105) << "the face fills the width it is given";
}

TEST(Render, WindowFilesAreNamedForTheirWindows) {
    struct Case {
        host::WindowConfig window;
        const char* file;
    };
    for (const auto& c : {Case{{"Window00", "Main Panel", "", 0, 0, true, {}}, "main_panel"},
                          Case{{"Window01", "Overhead", "overhead", 0, 0, true, {}}, "overhead"},
                          Case{{"Window02", "", "", 0, 0, true, {}}, "window02"},
                          Case{{"Window03", "  Aft  overhead (2) ", "", 0, 0, true, {}}, "aft_overhead_2"}})
        EXPECT_EQ(host::windowFileName(c.window), c.file);
}

TEST(Render, ARenderStepWritesEachWindowAndNeedsAHostThatDraws) {
    const fs::path out = fs::temp_directory_path() / "tj20_render_step";
    fs::remove_all(out);
    const std::string script =
        "load modules rl_tj20_main_master_variables rl_tj20_oh_lights\nrun 1\nrender pictures\nrender pictures Panel\n";
    host::ScenarioOptions options;
    options.moduleDir = panelDir();
    options.outputDir = out;
    options.render = host::renderSteps(panelDir());
    auto result = host::runScenario(script, "render.scn", options);
    EXPECT_EQ(result.exitCode, host::ScenarioPassed);
    EXPECT_TRUE(fs::exists(out / "pictures" / "panel.png"));

    options.render = nullptr;
    result = host::runScenario(script, "render.scn", options);
    EXPECT_EQ(result.exitCode, host::ScenarioFailed);
    ASSERT_FALSE(result.diagnostics.empty());
    EXPECT_NE(result.diagnostics[0].message.find("draws no pictures"), std::string::npos);

    result = host::runScenario("load modules rl_tj20_oh_lights\nrender pictures Cockpit\n", "bad.scn", options);
    EXPECT_EQ(result.exitCode, host::ScenarioBadInput) << "an unknown window is bad input, found before any step";
    fs::remove_all(out);
}

// Sprites turn counter-clockwise by their angle: the attitude sphere, turned by minus the bank,
// raises its horizon on the left for a positive bank and on the right for a negative one.
TEST(Render, SpritesTurnCounterClockwiseByTheirAngle) {
    auto groundAt = [](double bank, int x) {
        auto s = scene(
            {"rl_tj20_main_adi"}, {"dh"},
            [bank](host::Panel& p) {
                p.sim().set(0x50, bank);
                p.run(1);
            },
            300, 262);
        const Picture pic = s->draw();
        const std::uint32_t c = pic.at(x, 139 - 20);  // 20 pixels above the pivot, 60 to one side
        return ((c >> 16) & 0xff) > (c & 0xff);       // more red than blue: ground, not sky
    };
    EXPECT_FALSE(groundAt(0, 100)) << "level: sky above the pivot";
    EXPECT_FALSE(groundAt(0, 220));
    // Bank 30: the sphere turned by -30 degrees, clockwise: its horizon rises on the left.
    EXPECT_TRUE(groundAt(30, 100));
    EXPECT_FALSE(groundAt(30, 220));
    EXPECT_TRUE(groundAt(-30, 220)) << "turned counter-clockwise: the horizon rises on the right";
    EXPECT_FALSE(groundAt(-30, 100));
}

// A needle's bitmap points towards its farthest edge from the pivot, right first on a tie.
TEST(Render, ANeedleBitmapPointsToItsFarthestEdge) {
    struct Case {
        int width, height, pivotX, pivotY;
        double angle;
    };
    const double pi = std::numbers::pi;
    for (const Case c : {Case{12, 124, 6, 112, 0}, Case{44, 8, 4, 4, pi / 2}, Case{340, 340, 170, 170, pi / 2},
                         Case{123, 74, 62, 62, 0}, Case{12, 124, 6, 12, pi}, Case{60, 10, 50, 5, -pi / 2}})
        EXPECT_DOUBLE_EQ(host::needleBitmapAngle(c.width, c.height, c.pivotX, c.pivotY), c.angle)
            << c.width << "x" << c.height << " about " << c.pivotX << "," << c.pivotY;
}

// Texts start at their box's left edge, in the text's colour; a background of 0 leaves the
// face showing through the rest of the box.
TEST(Render, TextsStartAtTheLeftOfTheirBox) {
    auto s = scene(
        {"rl_tj20_main_altimeter"}, {},
        [](host::Panel& p) {
            p.sim().set(0x4b, 1013);
            p.run(1);
        },
        270, 268);
    const Picture with = s->draw();
    s->panel->sim().set(0x4b, 1);  // "1": the rest of the box is left empty
    s->panel->run(1);
    const Picture short_ = s->draw();
    const auto d = host::compare(with, short_, 0);
    ASSERT_GT(d.pixels, 0);
    // MB readout at 54,173 in a 40 by 14 box: the digits after the first differ, from the left.
    EXPECT_GE(d.left, 54);
    EXPECT_LE(d.left, 54 + 14) << "the second digit starts near the box's left edge";
    EXPECT_LE(d.right, 54 + 40);
    EXPECT_GE(d.top, 173);
    EXPECT_LE(d.bottom, 173 + 14);
}

TEST(Render, AGaugeWidthThatIsNoNumberIsRefusedWithItsLine) {
    for (const char* entry : {"gauge00=a!a, 1, 2, wide\n", "gauge00=a!a, 1, 2, 30, tall\n"}) {
        try {
            host::PanelConfig::parse(std::string("[Window Titles]\nWindow00=P\n[Window00]\n") + entry, "p.cfg");
            ADD_FAILURE() << entry << ": accepted";
        } catch (const host::LoadError& e) {
            EXPECT_NE(std::string(e.what()).find("p.cfg:4"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("is not a whole number"), std::string::npos) << e.what();
        }
    }
}

TEST(Render, ARenderStepNeedsADirectory) {
    host::ScenarioOptions options;
    options.moduleDir = panelDir();
    const auto result = host::runScenario("load modules rl_tj20_oh_lights\nrender\n", "bad.scn", options);
    EXPECT_EQ(result.exitCode, host::ScenarioBadInput);
    ASSERT_FALSE(result.diagnostics.empty());
    EXPECT_EQ(result.diagnostics[0].line, 2);
    EXPECT_NE(result.diagnostics[0].message.find("a directory for the pictures"), std::string::npos)
        << result.diagnostics[0].message;
}

}  // namespace
}  // namespace tj20::test
