// The browser page's panel: its messages (the pilot's hand, the inspector, the run
// controls), what the frames carry, and what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "panel_test.h"
#include "serve/served_panel.h"
#include "serve/server.h"

namespace tj20::test {
namespace {

using host::serve::Json;
using host::serve::ServedPanel;

// The default panel, paused, with nothing pending for the next frame.
struct Served {
    ServedPanel live{host::PanelConfig::read(TJ20_DEFAULT_PANEL), panelDir()};
    Served() {
        send(R"({"type":"control","action":"pause"})");
        live.snapshot();
        live.frame();
    }
    Json send(const std::string& text) { return live.handle(text); }
    std::uint32_t shared(const char* name) { return live.panel().shared(name).value_or(~0u); }
    // What a refused message must leave as it was.
    Json observed() {
        Json s = live.snapshot();
        s.erase("events");
        return s;
    }
};

// Main panel: the overhead's window button at 1160,856 and the decision-height knob at
// 757,394 (repeat areas: up at 20-32 by 0-13). Overhead: the APU panel at 1002,10 with its
// battery switch at 169,222.
constexpr const char* OpenOverhead = R"({"type":"mouse","window":"Window00","event":"press","x":1168,"y":864})";

TEST(Serve, MalformedOrHostileMessagesGetAnErrorAndChangeNothing) {
    Served s;
    const Json before = s.observed();
    const struct {
        std::string message;
        const char* says;
    } cases[] = {
        {"", "not JSON"},
        {"{\"type\":\"mouse\"", "not JSON"},
        {"\"mouse\"", "not a JSON object"},
        {"{}", "'type' is missing"},
        {R"({"type":["mouse"]})", "'type' must be a string"},
        {R"({"type":"shutdown"})", "unknown message type 'shutdown'"},
        {R"({"type":"mouse","event":"press","x":1,"y":1})", "'window' is missing"},
        {R"({"type":"mouse","window":"Window00","event":"press","x":1280,"y":1})", "'x' must be from 0 to 1279"},
        {R"({"type":"mouse","window":"Window00","event":"press","x":5.5,"y":1})", "'x' must be a whole number"},
        {R"({"type":"mouse","window":"Window00","event":"press","x":18446744073709551615,"y":1})", "'x' must be from"},
        {R"({"type":"mouse","window":"Window00","event":"press","x":1,"y":-1})", "'y' must be from 0 to 879"},
        {R"({"type":"mouse","window":"Window00","event":"tap","x":1,"y":1})", "unknown mouse event 'tap'"},
        {R"({"type":"mouse","window":"Window01","event":"press","x":1171,"y":232})", "'Overhead' is hidden"},
        {R"({"type":"pointer","window":"../Window00","x":1,"y":1})", "no window '../Window00'"},
        {R"({"type":"window","window":"Window01","visible":1})", "'visible' must be true or false"},
        {R"({"type":"set","kind":"shared","name":"battsw","value":4294967296})", "'value' must be from 0 to"},
        {R"({"type":"set","kind":"shared","name":"battsw","value":"1"})", "'value' must be a whole number"},
        {R"({"type":"set","kind":"shared","name":"nosuch","value":1})", "no shared variable 'nosuch'"},
        {R"({"type":"set","kind":"sim","name":"MasterBattery","value":"1e999"})", "packed digits"},
        {R"({"type":"set","kind":"sim","name":"MasterBattery","value":"0x123456789"})", "packed digits"},
        {R"({"type":"set","kind":"sim","name":"NoSuchValue","value":1})", "no simulator value 'NoSuchValue'"},
        {R"({"type":"set","kind":"registry","name":"battsw","value":1})", "'kind' must be 'shared' or 'sim'"},
        {R"({"type":"control","action":"step","cycles":0})", "'cycles' must be from 1 to"},
        {R"({"type":"control","action":"speed","speed":17})", "'speed' must be from 1 to 16"},
        {R"({"type":"control","action":"reboot"})", "unknown control 'reboot'"},
        {std::string(R"({"type":")") + std::string(host::serve::MessageLimit, 'a') + "\"}", "longer than the limit"},
        {"{\"type\":\"set\",\"kind\":\"shared\",\"name\":\"\xff\xfe\",\"value\":1}", "not JSON"},
    };
    for (const auto& c : cases) {
        const Json reply = s.send(c.message);
        EXPECT_EQ(reply.value("type", ""), "error") << c.message.substr(0, 80);
        EXPECT_NE(reply.value("message", "").find(c.says), std::string::npos)
            << c.message.substr(0, 80) << "\n  replied: " << reply.dump();
    }
    EXPECT_EQ(s.observed(), before);
}

TEST(Serve, ClicksReachTheGaugeUnderThePointerInItsOwnPixels) {
    Served s;
    Json reply = s.send(OpenOverhead);
    EXPECT_EQ(reply["gauge"], "rl_tj20_icon_ovhd_open");
    s.send(R"({"type":"control","action":"step","cycles":1})");
    EXPECT_TRUE(s.live.panel().windowVisible("Window01"));
    // By title too; the battery switch at 169,222 of the APU panel.
    reply = s.send(R"({"type":"mouse","window":"Overhead","event":"press","x":1171,"y":232})");
    EXPECT_EQ(reply["gauge"], "rl_tj20_apucntrl");
    EXPECT_EQ(reply["x"], 169);
    EXPECT_EQ(reply["y"], 222);
    EXPECT_EQ(s.shared("battsw"), 1u);
    // A point where no area lies changes nothing.
    reply = s.send(R"({"type":"mouse","window":"Overhead","event":"press","x":1499,"y":1074})");
    EXPECT_EQ(reply["hit"], false);
    EXPECT_EQ(s.shared("battsw"), 1u);

    const Json hand = s.send(R"({"type":"pointer","window":"Window00","x":782,"y":399})");
    EXPECT_EQ(hand["cursor"], "n-resize");
    EXPECT_EQ(hand["gauge"], "rl_tj20_main_dh");
    EXPECT_EQ(s.send(R"({"type":"pointer","window":"Window00","x":1279,"y":0})")["cursor"], "default");
}

TEST(Serve, AHeldRepeatAreaStepsInEveryCycleUntilLetGo) {
    Served s;
    s.send(R"({"type":"control","action":"resume"})");
    const std::uint32_t dh = s.shared("dh");
    s.send(R"({"type":"mouse","window":"Window00","event":"press","x":782,"y":399})");
    EXPECT_EQ(s.shared("dh"), dh + 1);
    for (int i = 0; i < 5; ++i) s.live.advance();
    EXPECT_EQ(s.shared("dh"), dh + 6);
    s.send(R"({"type":"mouse","event":"release"})");
    s.live.advance();
    EXPECT_EQ(s.shared("dh"), dh + 6);
}

TEST(Serve, TheRunIsPausedSteppedAndSpedUp) {
    Served s;
    const auto cycle = s.live.panel().cycleCount();
    s.live.advance();
    EXPECT_EQ(s.live.panel().cycleCount(), cycle);
    EXPECT_EQ(s.send(R"({"type":"control","action":"step","cycles":5})")["cycle"], cycle + 5);
    s.send(R"({"type":"control","action":"speed","speed":3})");
    EXPECT_EQ(s.send(R"({"type":"control","action":"resume"})").value("paused", true), false);
    s.live.advance();
    EXPECT_EQ(s.live.panel().cycleCount(), cycle + 8);
    EXPECT_EQ(s.send(R"({"type":"control","action":"step","cycles":1})")["type"], "error");
}

TEST(Serve, FramesCarryOnlyWhatChanged) {
    Served s;
    Json f = s.live.frame();
    EXPECT_FALSE(f.contains("windows") || f.contains("shared") || f.contains("sim") || f.contains("events"))
        << f.dump();

    // The window button: the overhead opens and comes whole; the main panel sends at most the
    // box of what changed there; the hidden windows say nothing; the button's key event goes.
    s.send(OpenOverhead);
    s.send(R"({"type":"control","action":"step","cycles":1})");
    f = s.live.frame();
    ASSERT_TRUE(f.contains("windows"));
    EXPECT_EQ(f["windows"]["Window01"]["visible"], true);
    const Json& whole = f["windows"]["Window01"]["picture"];
    EXPECT_EQ(whole["x"], 0);
    EXPECT_EQ(whole["width"], 1500);
    EXPECT_EQ(whole["height"], 1075);
    EXPECT_EQ(whole.value("png", "").substr(0, 8), "iVBORw0K");  // a PNG's signature
    if (f["windows"].contains("Window00")) {
        const Json& part = f["windows"]["Window00"]["picture"];
        EXPECT_LT(part.value("width", 0) * part.value("height", 0), 1280 * 880) << part.dump().substr(0, 80);
    }
    EXPECT_FALSE(f["windows"].contains("Window02"));
    ASSERT_TRUE(f.contains("events"));
    EXPECT_EQ(f["events"][0]["kind"], "key");
    EXPECT_FALSE(s.live.frame().contains("windows"));  // nothing moved since

    // Set as a scenario's set would: only those values go.
    EXPECT_EQ(s.send(R"({"type":"set","kind":"shared","name":"battsw","value":1})")["value"], 1);
    EXPECT_EQ(s.send(R"({"type":"set","kind":"sim","name":"MasterBattery","value":1})")["value"], 1.0);
    f = s.live.frame();
    EXPECT_EQ(f["shared"], Json({{"battsw", 1}}));
    EXPECT_EQ(f["sim"], Json({{"MasterBattery", 1.0}}));
}

TEST(Serve, OnlyThePagesOwnFilesAreServed) {
    const struct {
        const char* target;
        const char* file;
    } cases[] = {{"/", "index.html"},
                 {"/index.html", "index.html"},
                 {"/app.js", "app.js"},
                 {"/style.css", "style.css"},
                 {"/../CMakeLists.txt", ""},
                 {"/%2e%2e/etc/passwd", ""},
                 {"/app.js?v=1", ""},
                 {"//app.js", ""},
                 {"/web/index.html", ""},
                 {"index.html", ""},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(host::serve::pageFileFor(c.target), c.file) << c.target;
}

TEST(Serve, OnlyRequestsAddressedToTheLoopbackAreAnswered) {
    for (const auto& [host, answered] :
         {std::pair{"127.0.0.1:8080", true}, std::pair{"127.0.0.1", true}, std::pair{"localhost:41234", true},
          std::pair{"[::1]:8080", true}, std::pair{"[::1]", true}, std::pair{"evil.example:8080", false},
          std::pair{"127.0.0.1.evil.example", false}, std::pair{"localhost.evil.example:8080", false},
          std::pair{"127.0.0.1:80x", false}, std::pair{"127.0.0.1:", false}, std::pair{"[::1]x", false},
          std::pair{"[::1", false}, std::pair{"", false}})
        EXPECT_EQ(host::serve::namesLoopback(host), answered) << host;
}

TEST(Serve, PicturesTravelAsBase64) {
    const struct {
        std::string bytes;
        const char* text;
    } cases[] = {{"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
                 {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {std::string("\xff\xfe\0", 3), "//4A"}};
    for (const auto& c : cases) EXPECT_EQ(host::serve::base64(c.bytes), c.text);
}

}  // namespace
}  // namespace tj20::test
