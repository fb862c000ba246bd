// The panel as the browser page drives it: one live panel, its pictures and values, and the
// messages of the page's websocket. Networking lives in server.cpp; everything here runs on
// the one thread that owns the panel (the gauges are not thread-safe).
//
// A message from the page is one JSON object whose "type" says what it asks; every message
// is checked whole before anything is done, so a malformed one gets an error reply and
// changes nothing. The replies and the frames (what changed since the last frame) are JSON
// objects too; see docs/host.md for the list.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tj20host/config.h"
#include "tj20host/panel.h"
#include "tj20host/render.h"

namespace tj20::host::serve {

using Json = nlohmann::ordered_json;

// Messages larger than this are refused unread.
inline constexpr std::size_t MessageLimit = 64 * 1024;
// The most cycles one step or one frame at speed may run.
inline constexpr int MostCyclesAtOnce = 10000;
inline constexpr int FastestSpeed = 16;

class ServedPanel {
public:
    ServedPanel(PanelConfig config, std::filesystem::path moduleDir);

    // The windows and where each gauge lies on its window, sent once to every page.
    Json layout() const;
    // Everything the page shows, as it is now: run state, every visible window's picture,
    // every shared variable and simulator value, the latest key events and sounds.
    Json snapshot();
    // What changed since the last frame: the pictures whose pixels changed, the values that
    // changed, the key events and sounds journaled since. Empty members are left out. Without
    // `pictures` the windows' pictures wait for a later frame (their opening is told at once).
    Json frame(bool pictures = true);

    // One message of the page; returns the reply (type "error" with a message when the
    // message is refused, and then nothing changed).
    Json handle(std::string_view text);

    // Called at the panel rate: runs as many cycles as the speed asks (none while paused),
    // a held repeat area acting again at the start of each.
    void advance();

    bool paused() const { return paused_; }
    Panel& panel() { return *panel_; }
    // Lets go of a held press (the page that held it went away).
    void release() { held_.reset(); }

private:
    struct GaugeArea {
        std::string module;
        GaugeBox box;      // where it is drawn on the window
        int ownWidth = 1;  // its background's own size: mouse points are in these pixels
        int ownHeight = 1;
    };
    struct Held {
        std::string gauge;
        int x = 0, y = 0;
    };
    struct Hit {
        std::string gauge;
        int x = 0, y = 0;
        Panel::PointerInfo info;
    };

    Json onMouse(const Json& m);
    Json onPointer(const Json& m);
    Json onWindow(const Json& m);
    Json onSet(const Json& m);
    Json onControl(const Json& m);
    const WindowConfig& windowNamed(const Json& m) const;
    std::optional<Hit> hitTest(const WindowConfig& window, int x, int y, std::uint32_t flag) const;
    void cycles(int n);
    std::string drawnState(const WindowConfig& window) const;
    Json windowPicture(const WindowConfig& window, bool onlyIfChanged);
    Json values(bool onlyChanged);
    Json journalSince(std::uint64_t& next, std::size_t most) const;

    PanelConfig config_;
    std::unique_ptr<Panel> panel_;
    Renderer renderer_;
    std::map<std::string, std::vector<GaugeArea>> areas_;  // by window section, in panel order
    std::map<std::string, std::vector<std::uint32_t>> lastPixels_;
    std::map<std::string, std::string> lastDrawn_;
    std::map<std::string, bool> lastVisible_;
    std::map<std::string, std::uint32_t> lastShared_;
    std::map<std::uint32_t, double> lastSim_;
    std::uint64_t journalNext_ = 0;
    bool paused_ = false;
    int speed_ = 1;
    std::optional<Held> held_;
};

// Base64 of bytes, for the pictures inside JSON messages.
std::string base64(std::string_view bytes);

}  // namespace tj20::host::serve
