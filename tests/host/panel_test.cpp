// The host's duties on the real modules: registry, simulator model, windows, mouse dispatch,
// element evaluation and the trace.
#include "panel_test.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <utility>

#include "tj20/host_abi.h"
#include "tj20/ids.h"
#include "tj20host/trace.h"

namespace tj20::test {
namespace {

using host::MouseEvent;

TEST(Registry, TwiceRegisteredNameBindsTheLatestLiveRegistration) {
    // The probe registers "lightstestsw" as the master variables do, and binds it too.
    struct Case {
        std::vector<std::string> order;
        bool bindsProbesCell;
    };
    for (const Case& c : {Case{{"rl_tj20_main_master_variables", "tj20_probe"}, true},
                          Case{{"tj20_probe", "rl_tj20_main_master_variables"}, false}}) {
        auto panel = loadPanel(c.order);
        panel->run(1);
        panel->mouse("tj20_probe", 85, 25);  // toggles the probe's own cell
        panel->run(1);
        EXPECT_EQ(element(*panel, "tj20_probe", 10).state, c.bindsProbesCell ? 1 : 0) << c.order[0] << " first";
        EXPECT_EQ(panel->shared("lightstestsw"), c.bindsProbesCell ? 1u : 0u);
    }
}

TEST(Registry, UnregisteringOneOfTwoRegistrationsLeavesTheOther) {
    // Both register "lightstestsw"; the probe's, the latest, holds 1 after the click.
    struct Case {
        const char* killed;
        std::uint32_t after;
    };
    for (const Case c : {Case{"tj20_probe", 0u},                        // the master variables' cell again
                         Case{"rl_tj20_main_master_variables", 1u}}) {  // the earlier one goes; the probe's stays
        auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
        panel->run(1);
        panel->mouse("tj20_probe", 85, 25);
        EXPECT_EQ(panel->shared("lightstestsw"), 1u);
        panel->service(c.killed, abi::ServiceKill);
        EXPECT_EQ(panel->shared("lightstestsw"), c.after) << c.killed << " unregistered";
    }
}

TEST(Registry, NamesBoundThatNobodyRegistersAreListed) {
    EXPECT_EQ(loadPanel({"rl_tj20_main_master_variables", "tj20_probe"})->unboundNames(),
              std::vector<std::string>{"nosuchname"});
    EXPECT_EQ(loadPanel({"tj20_probe"}, {"nosuchname", "ohpanel"})->unboundNames(), std::vector<std::string>{})
        << "the host stands in for both";
    // The default panel: the names bound whose owners are not on it, reviewed one by one.
    // Every owner is placed now; a new name here is a gauge whose owner is missing.
    const auto config = std::filesystem::path(__FILE__).parent_path() / "../../panels/default.cfg";
    auto panel = host::Panel::load(host::PanelConfig::read(config), {panelDir()});
    EXPECT_EQ(panel->unboundNames(), std::vector<std::string>{});
}

TEST(Registry, HostStandsInForAMissingOwnerUntilAGaugeRegistersTheName) {
    auto alone = loadPanel({"rl_tj20_oh_lights"}, {"ohpanel"});
    alone->run(1);
    alone->mouse("rl_tj20_oh_lights", 60, 50);
    EXPECT_EQ(alone->shared("ohpanel"), 1u) << "the binder reaches the host's cell";
    alone.reset();
    auto withOwner = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_oh_lights"}, {"ohpanel"});
    withOwner->run(1);
    withOwner->mouse("rl_tj20_oh_lights", 60, 50);
    withOwner->service("rl_tj20_main_master_variables", abi::ServiceKill);
    EXPECT_EQ(withOwner->shared("ohpanel"), 0u) << "the gauge's registration was the one bound, not the host's";
}

TEST(Registry, WriteByABinderReachesTheOwnersCell) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_oh_lights"});
    panel->run(1);
    EXPECT_TRUE(panel->mouse("rl_tj20_oh_lights", 60, 50));  // the binder toggles "ohpanel"
    EXPECT_EQ(panel->shared("ohpanel"), 1u);
}

TEST(Registry, OwnersFirstDrawValueStandsOverABindersFirstDrawWrite) {
    // At their first draw the owner writes "ohpanel" 0 and the probe, a binder, 7. Draws run
    // in reverse panel order: the gauge listed first draws last and its value stays.
    struct Case {
        std::vector<std::string> order;
        std::uint32_t after;
    };
    for (const Case& c : {Case{{"rl_tj20_main_master_variables", "rl_tj20_oh_lights", "tj20_probe"}, 0u},
                          Case{{"tj20_probe", "rl_tj20_main_master_variables"}, 7u}}) {
        auto panel = loadPanel(c.order);
        ASSERT_TRUE(panel->setShared("ohpanel", 1));
        panel->run(1);
        EXPECT_EQ(panel->shared("ohpanel"), c.after) << c.order[0] << " first";
        EXPECT_EQ(panel->shared("proberesets"), 1u);
    }
}

TEST(SimulatorModel, WindowTogglesShowAndHideTheirWindows) {
    const char* config = R"(
[Window Titles]
Window00=Main Panel
Window01=Overhead
Window02=Pedestal
[Window00]
gauge00=rl_tj20_icon_ovhd_open!rl_tj20_icon_ovhd_open, 0, 0
gauge01=rl_tj20_icon_pedestal_open!rl_tj20_icon_pedestal_open, 20, 0
[Window01]
ident=overhead
visible=0
gauge00=rl_tj20_icon_ovhd_close!rl_tj20_icon_ovhd_close, 0, 0
[Window02]
ident=pedestal
visible=0
gauge00=rl_tj20_icon_pedestal_close!rl_tj20_icon_pedestal_close, 0, 0
)";
    auto panel = host::Panel::load(host::PanelConfig::parse(config, "test.cfg"), {panelDir()});
    panel->run(1);
    EXPECT_FALSE(panel->windowVisible("Overhead"));
    EXPECT_TRUE(panel->mouse("rl_tj20_icon_ovhd_open", 5, 5));
    EXPECT_TRUE(panel->windowVisible("Overhead"));
    EXPECT_FALSE(panel->windowVisible("Pedestal")) << "only its own window";
    EXPECT_TRUE(panel->mouse("rl_tj20_icon_ovhd_open", 5, 5)) << "pressing open on an open window closes it";
    EXPECT_FALSE(panel->windowVisible("Overhead"));
    panel->mouse("rl_tj20_icon_pedestal_open", 5, 5);
    EXPECT_TRUE(panel->windowVisible("Pedestal"));
    panel->mouse("rl_tj20_icon_pedestal_close", 5, 5);
    EXPECT_FALSE(panel->windowVisible("Pedestal")) << "the close button hides its own window";
    EXPECT_EQ(keyIds(*panel), (std::vector<std::uint32_t>{0x10173, 0x10173, 0x10175, 0x10175}));
    EXPECT_EQ(panel->journal().keyEvents[2].gauge, "rl_tj20_icon_pedestal_open");
}

TEST(SimulatorModel, WindowButtonsSendTheirToggleFromTheirWholeArea) {
    struct Case {
        const char* module;
        std::uint32_t event;
        int width;
        int height;
    };
    for (const Case c :
         {Case{"rl_tj20_icon_ovhd_open", 0x10173, 19, 19}, Case{"rl_tj20_icon_ovhd_close", 0x10173, 18, 18},
          Case{"rl_tj20_icon_aftovhd_open", 0x10174, 18, 18}, Case{"rl_tj20_icon_aftovhd_close", 0x10174, 18, 18},
          Case{"rl_tj20_icon_pedestal_open", 0x10175, 18, 18}, Case{"rl_tj20_icon_pedestal_close", 0x10175, 18, 18},
          Case{"rl_tj20_icon_hyd_open", 0x10176, 29, 18}, Case{"rl_tj20_icon_hyd_close", 0x10176, 18, 18},
          Case{"rl_tj20_icon_lights_open", 0x10177, 18, 18}}) {
        auto panel = loadPanel({c.module});
        panel->run(1);
        EXPECT_TRUE(panel->mouse(c.module, 0, 0)) << c.module;
        EXPECT_TRUE(panel->mouse(c.module, c.width - 1, c.height - 1)) << c.module;
        EXPECT_FALSE(panel->mouse(c.module, c.width, c.height - 1)) << c.module << ": outside on the right";
        EXPECT_FALSE(panel->mouse(c.module, 0, c.height)) << c.module << ": outside below";
        EXPECT_EQ(keyIds(*panel), (std::vector<std::uint32_t>{c.event, c.event})) << c.module;
        for (const auto& k : panel->journal().keyEvents) EXPECT_EQ(k.value, 0u);
        const auto background = element(*panel, c.module, 0);
        EXPECT_EQ(background.bitmap, 0x100u);
        EXPECT_EQ(background.width, c.module == std::string("rl_tj20_icon_hyd_open") ? 30 : 19) << c.module;
        EXPECT_EQ(background.height, 19) << c.module;
    }
}

TEST(Layout, GaugeIsDrawnAtItsConfiguredSizeOrElseAtItsBackgroundsSize) {
    const std::string config =
        "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=800,600\n"
        "gauge00=rl_tj20_engine1_epr!rl_tj20_engine1_epr, 10, 20, 110, 90\n"
        "gauge01=rl_tj20_engine2_epr!rl_tj20_engine2_epr, 200, 20, 151\n"
        "gauge02=rl_tj20_engine1_n1!rl_tj20_engine1_n1, 400, 20\n"
        "gauge03=rl_tj20_icon_hyd_open!rl_tj20_icon_hyd_open, 700, 5\n"
        "gauge04=rl_tj20_oh_lights!rl_tj20_oh_lights, 5, 500\n"
        "gauge05=rl_tj20_lights_lnd!rl_tj20_lights_lnd, 300, 500, 222\n"
        "gauge06=rl_tj20_cvr!rl_tj20_cvr, 600, 500, 187, 50, extra\n";
    auto panel = host::Panel::load(host::PanelConfig::parse(config, "test.cfg"), {panelDir()});
    struct Case {
        const char* gauge;
        std::optional<host::GaugeBox> box;
    };
    for (const auto& c : {Case{"rl_tj20_engine1_epr", host::GaugeBox{10, 20, 110, 90}},
                          Case{"rl_tj20_engine2_epr", host::GaugeBox{200, 20, 151, 151}},  // in proportion
                          Case{"rl_tj20_engine1_n1", host::GaugeBox{400, 20, 302, 302}},   // its own size
                          Case{"rl_tj20_icon_hyd_open", host::GaugeBox{700, 5, 30, 19}},
                          Case{"rl_tj20_oh_lights", host::GaugeBox{5, 500, 260, 100}},
                          Case{"rl_tj20_lights_lnd", host::GaugeBox{300, 500, 222, 100}},  // 290 by 130, scaled
                          Case{"rl_tj20_cvr", host::GaugeBox{600, 500, 187, 50}}, Case{"rl_tj20_nothing", {}}}) {
        const auto box = panel->gaugeBox(c.gauge);
        ASSERT_EQ(box.has_value(), c.box.has_value()) << c.gauge;
        if (!box) continue;
        EXPECT_EQ((std::array{box->x, box->y, box->width, box->height}),
                  (std::array{c.box->x, c.box->y, c.box->width, c.box->height}))
            << c.gauge;
    }
}

TEST(Layout, SizeThatIsNoWholeNumberAboveZeroIsRefusedWithItsLine) {
    const std::string head = "[Window Titles]\nWindow00=Main\n[Window00]\n";
    for (const auto& [entry, problem] :
         {std::pair{"gauge00=a!a, 1, 2, 0", "test.cfg:4: width '0' must be greater than 0"},
          std::pair{"gauge00=a!a, 1, 2, 50, -5", "test.cfg:4: height '-5' must be greater than 0"},
          std::pair{"gauge00=a!a, 1, 2, 50, x", "test.cfg:4: height 'x' is not a whole number"}}) {
        try {
            host::PanelConfig::parse(head + entry + "\n", "test.cfg");
            ADD_FAILURE() << entry << " was taken";
        } catch (const host::LoadError& e) {
            EXPECT_EQ(std::string(e.what()), problem);
        }
    }
}

TEST(Layout, DefaultPanelsGaugesOfKnownSizeLieInsideTheirWindowsWithoutOverlapping) {
    const auto file = std::filesystem::path(__FILE__).parent_path() / "../../panels/default.cfg";
    const auto config = host::PanelConfig::read(file);
    auto panel = host::Panel::load(config, {panelDir()});
    for (const char* engine : {"epr", "n1", "egt", "n2", "ff", "oilpress"})
        for (const char* side : {"rl_tj20_engine1_", "rl_tj20_engine2_"})
            EXPECT_TRUE(panel->gaugeBox(side + std::string(engine))) << side << engine << ": its size is known";
    for (const auto& w : config.windows) {
        std::vector<std::pair<std::string, host::GaugeBox>> placed;
        for (const auto& g : w.gauges)
            if (const auto box = panel->gaugeBox(g.module)) placed.emplace_back(g.module, *box);
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const auto& [name, b] = placed[i];
            EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.width <= w.width && b.y + b.height <= w.height)
                << name << " reaches out of " << w.title;
            for (std::size_t j = i + 1; j < placed.size(); ++j)
                EXPECT_FALSE(b.overlaps(placed[j].second)) << name << " overlaps " << placed[j].first;
        }
    }
}

TEST(Mouse, FirstMatchingAreaInTableOrderIsTheOnlyOneCalled) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    EXPECT_TRUE(panel->mouse("tj20_probe", 5, 5));
    EXPECT_EQ(panel->shared("probecount"), 1u);
    EXPECT_EQ(panel->shared("probeval"), 0u) << "the second area with the same box is never called";
}

TEST(Mouse, ClickOutsideEveryAreaOrOnAGaugeWithoutAreasChangesNothing) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    const auto events = panel->journal().events.size();
    EXPECT_FALSE(panel->mouse("tj20_probe", 115, 75));
    EXPECT_FALSE(panel->mouse("rl_tj20_main_master_variables", 1, 1));
    EXPECT_FALSE(panel->mouse("tj20_probe", 5, 5, MouseEvent::Drag)) << "a press area takes no drag";
    EXPECT_EQ(panel->journal().events.size(), events);
}

TEST(Mouse, RepeatAreaActsEachHeldCyclePressAreaOnce) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    EXPECT_TRUE(panel->hold("tj20_probe", 25, 5, 4));  // repeat area: +10 on the press and each held cycle
    EXPECT_EQ(panel->shared("probecount"), 50u);
    EXPECT_EQ(panel->cycleCount(), 5u);
    EXPECT_TRUE(panel->hold("tj20_probe", 5, 5, 4));  // press area: +1 once
    EXPECT_EQ(panel->shared("probecount"), 51u);
    EXPECT_TRUE(panel->hold("tj20_probe", 25, 5, 0));  // a short click on a repeat area acts once
    EXPECT_EQ(panel->shared("probecount"), 61u);
}

TEST(Mouse, DragPassesThePointRelativeToTheArea) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    EXPECT_TRUE(panel->mouse("tj20_probe", 67, 13, MouseEvent::Drag));
    EXPECT_EQ(panel->shared("probedrag"), 713u);
    EXPECT_FALSE(panel->mouse("tj20_probe", 67, 13)) << "a drag area takes no press";
}

TEST(Mouse, RightPressReachesOnlyRightPressAreas) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    EXPECT_FALSE(panel->mouse("tj20_probe", 45, 5));
    EXPECT_TRUE(panel->mouse("tj20_probe", 45, 5, MouseEvent::RightPress));
    EXPECT_EQ(panel->shared("probeval"), 1u);
    EXPECT_FALSE(panel->mouse("tj20_probe", 5, 5, MouseEvent::RightPress));
}

TEST(Mouse, TooltipIsNeverHit) {
    auto panel = loadPanel({"rl_tj20_icon_hyd_close"});
    panel->run(1);
    EXPECT_TRUE(panel->mouse("rl_tj20_icon_hyd_close", 1, 1)) << "the area after the tooltip";
    EXPECT_EQ(keyIds(*panel), std::vector<std::uint32_t>{0x10176});
}

TEST(Elements, NeedleInterpolatesBetweenEntriesAndClampsAtTheEnds) {
    // Dial about (50, 50): 0 points up, 10 right, 20 down.
    struct Case {
        std::uint32_t value;
        double angle;
    };
    constexpr double pi = 3.14159265358979;
    for (const Case c : {Case{0, 0}, Case{5, pi / 4}, Case{10, pi / 2}, Case{15, 3 * pi / 4}, Case{20, pi},
                         Case{25, pi}, Case{1000, pi}}) {
        auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
        panel->run(1);
        panel->setShared("probeval", c.value);
        panel->run(1);
        const auto needle = element(*panel, "tj20_probe", 1);
        EXPECT_EQ(needle.kind, host::ElementState::Needle);
        EXPECT_EQ(needle.value, c.value);
        EXPECT_NEAR(needle.angle, c.angle, 1e-9) << "value " << c.value;
    }
    // Below the first entry: the right CSD temperature scale starts at 200.
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_elecpwr"});
    panel->run(1);
    const auto angleAt = [&](std::uint32_t temperature) {
        panel->setShared("rcsdtemp", temperature);
        for (const auto& e : panel->evaluate("rl_tj20_elecpwr"))  // a redraw: the gauge keeps the value
            if (e.x == 245 && e.y == 79) return e.angle;
        ADD_FAILURE() << "no needle at 245,79";
        return 0.0;
    };
    const double first = angleAt(200);
    EXPECT_GT(std::abs(angleAt(600) - first), 0.1) << "the scale moves";
    EXPECT_DOUBLE_EQ(angleAt(100), first);
    EXPECT_DOUBLE_EQ(angleAt(0), first);
}

TEST(Elements, NeedleIsLitWhileItsConditionHolds) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    EXPECT_FALSE(element(*panel, "tj20_probe", 1).lit);
    panel->setShared("ohpanel", 1);
    panel->run(1);
    EXPECT_TRUE(element(*panel, "tj20_probe", 1).lit);
    panel->setShared("ohpanel", 0);
    panel->run(1);
    EXPECT_FALSE(element(*panel, "tj20_probe", 1).lit);
}

TEST(Elements, TextIsFormattedAndBoundedToTheHostsBuffer) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->sim().set(0x7001, 2.005);
    panel->run(1);
    EXPECT_EQ(element(*panel, "tj20_probe", 2).text, "2.00");
    const auto huge = element(*panel, "tj20_probe", 3).text;
    EXPECT_EQ(huge.size(), 63u) << "81 digits cut to the 64-byte buffer with its terminator";
    EXPECT_EQ(huge.substr(0, 3), "100");
}

TEST(Elements, SlidersMovingImagesAndSpritesOffsetByValueTimesScale) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->sim().set(0x7001, 3.0);
    panel->run(1);
    const auto slider = element(*panel, "tj20_probe", 4);
    EXPECT_EQ(slider.kind, host::ElementState::Slider);
    EXPECT_DOUBLE_EQ(slider.offsetX, 6.0);
    EXPECT_DOUBLE_EQ(slider.offsetY, -2.0);
    const auto moving = element(*panel, "tj20_probe", 5);
    EXPECT_EQ(moving.kind, host::ElementState::MovingImage);
    EXPECT_DOUBLE_EQ(moving.offsetX, 9.9);
    EXPECT_DOUBLE_EQ(moving.offsetY, 2.0);
    const auto sprite = element(*panel, "tj20_probe", 6);
    EXPECT_EQ(sprite.kind, host::ElementState::Sprite);
    EXPECT_DOUBLE_EQ(sprite.offsetX, 1.5);
    EXPECT_DOUBLE_EQ(sprite.offsetY, -2.0);
    EXPECT_DOUBLE_EQ(sprite.rotation, 0.25);
}

TEST(Elements, IconStatesClampToTheDeclaredImagesAndHiddenIconsStayHidden) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    auto icon = element(*panel, "tj20_probe", 7);
    EXPECT_FALSE(icon.visible) << "hidden while the value is 5 or less";
    EXPECT_TRUE(icon.lit);
    panel->setShared("probeval", 9);
    panel->run(1);
    icon = element(*panel, "tj20_probe", 7);
    EXPECT_TRUE(icon.visible);
    EXPECT_EQ(icon.value, 9.0);
    EXPECT_EQ(icon.state, 2) << "a state beyond the images shows the last";
    EXPECT_EQ(element(*panel, "tj20_probe", 8).state, 0) << "a negative state shows the first";
    EXPECT_TRUE(element(*panel, "tj20_probe", 8).visible) << "a callback that never touches the bit keeps it";
}

TEST(Elements, LightsTestValueThreeLightsTheLastImageOfAThreeImageLamp) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_general_panellights"});
    panel->run(1);
    panel->setShared("crtbrk", 3);
    panel->run(1);
    EXPECT_EQ(element(*panel, "rl_tj20_general_panellights", 2).state, 2);
}

TEST(Trace, ReadableAndJsonLinesCarryTheSameEvents) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_oh_lights", "tj20_probe"});
    panel->run(1);
    panel->mouse("rl_tj20_oh_lights", 60, 50);
    panel->mouse("rl_tj20_oh_lights", 190, 50);
    panel->mouse("tj20_probe", 2, 22);
    std::ostringstream text, json;
    host::TracePrinter(panel->journal(), text, false).flush();
    host::TracePrinter(panel->journal(), json, true).flush();
    EXPECT_NE(text.str().find("ohpanel 0 -> 1"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("key event PanelLightsOn (0x10208) value 0 from rl_tj20_oh_lights"), std::string::npos)
        << text.str();
    EXPECT_NE(text.str().find("sound play sound\\probe_loop.wav repeating"), std::string::npos) << text.str();
    EXPECT_NE(json.str().find(R"({"cycle":1,"tick":1,"kind":"shared","name":"ohpanel","before":0,"after":1})"),
              std::string::npos)
        << json.str();
    EXPECT_NE(
        json.str().find(R"("kind":"key","id":"0x10208","name":"PanelLightsOn","value":0,"gauge":"rl_tj20_oh_lights")"),
        std::string::npos);
    EXPECT_NE(json.str().find(R"("path":"sound\\probe_loop.wav","alias":"probe_loop.wav","repeat":true)"),
              std::string::npos)
        << json.str();
    std::size_t lines = 0;
    for (char c : json.str()) lines += c == '\n';
    EXPECT_EQ(lines, panel->journal().events.size());
}

TEST(Trace, IconImageAndVisibilityChangesAreJournaledWithTheElementsAddress) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(2);
    panel->setShared("probeval", 9);
    panel->run(1);
    std::vector<host::Event> icons;
    for (const auto& e : panel->journal().events)
        if (e.kind == host::Event::Kind::Element) icons.push_back(e);
    ASSERT_EQ(icons.size(), 1u) << "nothing on the first draw; then only the icon that changed";
    EXPECT_EQ(icons[0].subject, "tj20_probe");
    EXPECT_EQ(icons[0].element, "80,0");
    EXPECT_EQ(icons[0].before, 0u);
    EXPECT_EQ(icons[0].after, 2u);
    EXPECT_FALSE(icons[0].wasVisible);
    EXPECT_TRUE(icons[0].visible);
    std::ostringstream text;
    host::printEvent(text, icons[0]);
    EXPECT_EQ(text.str(), "[cycle 3, tick 3] tj20_probe icon 80,0 shown image 0 -> 2\n");
}

TEST(Trace, CountingVariableIsFoldedIntoItsFirstChangeAndWhereItStopped) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    std::ostringstream text;
    {
        host::TracePrinter readable(panel->journal(), text, false);
        panel->run(1);
        for (std::uint32_t v = 1; v <= 4; ++v) {
            panel->setShared("probeval", v);
            panel->run(1);
        }
        panel->run(2);
        readable.finish(panel->cycleCount());
    }
    const std::string t = text.str();
    EXPECT_NE(t.find("[cycle 1, tick 1] probeval 0 -> 1"), std::string::npos) << t;
    EXPECT_NE(t.find("[cycle 4, tick 4] probeval reached 4, changing in every cycle from 1 to 4\n"), std::string::npos)
        << t;
    EXPECT_NE(t.find("[cycle 2, tick 2] probeval 1 -> 2"), std::string::npos) << "the first two cycles print";
    EXPECT_EQ(t.find("probeval 2 -> 3"), std::string::npos) << t;
}

TEST(Trace, KeyEventSentInEveryCycleIsFoldedIntoItsFirstLineAndAClosingLine) {
    // With every pump off and the centre tank empty the pump panel selects ALL each update.
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_fuelpumps"});
    std::ostringstream text, json;
    {
        host::TracePrinter readable(panel->journal(), text, false);
        host::TracePrinter lines(panel->journal(), json, true);
        panel->run(5);
        readable.flush();
        lines.flush();
        panel->mouse("rl_tj20_fuelpumps", 20, 50);  // a left pump: LEFT from the next cycle on
        panel->run(3);
        readable.finish(panel->cycleCount());
        lines.finish(panel->cycleCount());
    }
    const std::string t = text.str();
    EXPECT_NE(t.find("[cycle 1, tick 1] key event FuelSelectorAll (0x101a4) value 0 from rl_tj20_fuelpumps"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("FuelSelectorAll (0x101a4) from rl_tj20_fuelpumps went out in every cycle from 1 to 5"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("FuelSelectorLeft (0x101a5) from rl_tj20_fuelpumps went out in every cycle from 6 to 8 "
                     "(still going)"),
              std::string::npos)
        << t;
    EXPECT_EQ(t.find("[cycle 3, tick 3] key event"), std::string::npos) << "repeats are folded from the third";
    std::size_t keyLines = 0;
    for (std::size_t at = 0; (at = t.find("key event", at)) != std::string::npos; ++at) ++keyLines;
    EXPECT_EQ(keyLines, 6u) << t;
    std::size_t jsonKeys = 0;
    for (std::size_t at = 0; (at = json.str().find("\"kind\":\"key\"", at)) != std::string::npos; ++at) ++jsonKeys;
    EXPECT_EQ(jsonKeys, 8u) << "the JSON lines keep every event";
}

TEST(Trace, SoundCallMadeInEveryCycleIsFoldedLikeAKeyEvent) {
    // Throttles up on the ground with the spoilers not armed and the flaps up: the pedestal
    // plays the configuration voice on every update.
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_pedestal"});
    panel->sim().set(tj20::sim::OnGround, 1);
    panel->sim().set(tj20::sim::Throttle1Lever, 8000);
    std::ostringstream text;
    {
        host::TracePrinter readable(panel->journal(), text, false);
        panel->run(6);
        readable.finish(panel->cycleCount());
    }
    const std::string t = text.str();
    EXPECT_NE(t.find("[cycle 1, tick 1] sound play sound\\tj20_config_sf.wav repeating"), std::string::npos) << t;
    EXPECT_NE(t.find("sound play sound\\tj20_config_sf.wav by rl_tj20_pedestal in every cycle from 1 to 6 (still going)"),
              std::string::npos)
        << t;
    EXPECT_EQ(t.find("[cycle 4, tick 4] sound"), std::string::npos) << "repeats are folded from the third\n" << t;
}

TEST(Sound, StopOfASilentSoundIsNotJournaledAndAStopOfAPlayingOneIsOnce) {
    // The pedestal stops each warning it does not sound on every update: none of those calls
    // changes anything, so the journal holds none of them. A warning that sounds and ends is
    // stopped once. Parked with the gear down, nothing sounds.
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_pedestal"});
    panel->sim().set(tj20::sim::OnGround, 1);
    panel->sim().set(tj20::sim::GearHandle, 16383);
    panel->run(5);
    const auto stops = [&] {
        std::vector<std::string> aliases;
        for (const auto& s : panel->journal().sounds)
            if (s.call == host::SoundRecord::Call::Stop) aliases.push_back(s.alias);
        return aliases;
    };
    EXPECT_EQ(stops(), std::vector<std::string>{});
    panel->sim().set(tj20::sim::Throttle1Lever, 8000);
    panel->run(3);
    panel->sim().set(tj20::sim::Throttle1Lever, 0);
    panel->run(3);
    EXPECT_EQ(stops(), std::vector<std::string>{"tj20_config_sf.wav"});
    EXPECT_TRUE(panel->journal().playing().empty());
}

TEST(Journal, KeepsTheLatestEventsWhileListenersAndPlayingSoundsSeeEveryOne) {
    host::Journal journal(4);
    int heard = 0;
    const int id = journal.listen([&](const host::Event&) { ++heard; });
    host::Event loop;
    loop.kind = host::Event::Kind::Sound;
    loop.sound = {host::SoundRecord::Call::Play, "sound\\loop.wav", "loop.wav", true, 0};
    journal.add(loop);
    journal.add(loop);  // already sounding: still one
    host::Event key;
    key.kind = host::Event::Kind::KeyEvent;
    key.key.id = 0x10208;
    journal.add(key);
    for (int i = 0; i < 7; ++i) journal.note(1, 1, "note " + std::to_string(i));
    journal.unlisten(id);
    journal.note(2, 2, "unheard");
    EXPECT_EQ(heard, 10);
    EXPECT_EQ(journal.events.size(), 4u);
    EXPECT_EQ(journal.first(), 7u);
    EXPECT_EQ(journal.end(), 11u);
    EXPECT_EQ(journal.at(7).text, "note 4");
    EXPECT_TRUE(journal.keyEvents.empty()) << "the key event was forgotten with the oldest";
    EXPECT_TRUE(journal.keyEventsSince(0).empty());
    ASSERT_EQ(journal.playing().size(), 1u) << "what plays outlives the calls that started it";
    EXPECT_EQ(journal.playing()[0].alias, "loop.wav");
}

TEST(Journal, PanelsJournalStaysWithinItsCapacityOverALongRun) {
    host::LoadOptions options{panelDir()};
    options.journalCapacity = 64;
    // Every pump off and the centre tank empty: the pump panel sends a key event every cycle.
    auto panel = host::Panel::load(
        host::PanelConfig::fromModules({"rl_tj20_main_master_variables", "rl_tj20_fuelpumps"}), options);
    panel->run(1);
    panel->journal().keyEvents.clear();
    panel->run(500);
    EXPECT_EQ(panel->journal().events.size(), 64u);
    EXPECT_GE(panel->journal().end(), 500u);
    EXPECT_EQ(panel->journal().keyEvents.size(), 64u) << "since the mark, as far as the journal keeps them";
}

TEST(Sound, EachCallIsJournaledWithTheGaugeWhoseCallbackMadeIt) {
    // The probe plays and stops from clicks, and a gauge's kill terminates every sound.
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_pedestal", "tj20_probe"});
    panel->run(1);
    panel->mouse("tj20_probe", 2, 22);
    panel->mouse("tj20_probe", 22, 22);
    panel->service("rl_tj20_pedestal", abi::ServiceKill);
    std::set<std::pair<std::string, std::string>> calls;  // gauge, what it called
    for (const auto& e : panel->journal().events) {
        if (e.kind != host::Event::Kind::Sound) continue;
        calls.insert({e.subject, e.sound.call == host::SoundRecord::Call::Play   ? "play " + e.sound.alias
                                 : e.sound.call == host::SoundRecord::Call::Stop ? "stop"
                                                                                 : "terminate"});
    }
    for (const auto& expected : std::set<std::pair<std::string, std::string>>{
             {"tj20_probe", "play probe_loop.wav"}, {"tj20_probe", "stop"}, {"rl_tj20_pedestal", "terminate"}})
        EXPECT_TRUE(calls.count(expected)) << expected.first << " " << expected.second;
    for (const auto& [gauge, call] : calls)
        EXPECT_TRUE(gauge == "rl_tj20_pedestal" || gauge == "tj20_probe") << "'" << gauge << "' " << call;
}

TEST(Sound, RepeatingSoundIsStoppedByItsAlias) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
    panel->run(1);
    panel->mouse("tj20_probe", 2, 22);
    panel->mouse("tj20_probe", 22, 22);
    const auto& s = panel->journal().sounds;
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].call, host::SoundRecord::Call::Play);
    EXPECT_TRUE(s[0].repeat);
    EXPECT_EQ(s[1].call, host::SoundRecord::Call::Stop);
    EXPECT_EQ(s[1].alias, "probe_loop.wav");
}

}  // namespace
}  // namespace tj20::test
