// Panel configuration in the classic INI form of the simulator's panel files:
//
//   [Window Titles]
//   Window00=Main Panel
//   Window01=Overhead
//   [Window00]
//   size_mm=1024,768
//   visible=1
//   gauge00=rl_tj20_icon_ovhd_open!rl_tj20_icon_ovhd_open, 10, 20
//   gauge01=rl_tj20_engine1_n1!rl_tj20_engine1_n1, 10, 40, 96     ; drawn 96 pixels wide
//   [Window01]
//   ident=overhead        ; the window the overhead toggle event shows and hides
//   visible=0
//   gauge00=rl_tj20_oh_lights!rl_tj20_oh_lights, 0, 0
//
// Windows are listed in [Window Titles]; panel order is the order of windows, then of the
// gauge entries within each window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host {

struct GaugePlacement {
    std::string module;  // file name without ".gau"
    std::string gauge;   // gauge name inside the module
    int x = 0;
    int y = 0;
    int width = 0;   // the size the gauge is drawn at; 0: its background's own
    int height = 0;  // 0 with a width: in proportion
    int line = 0;    // where it was declared, for error messages
};

struct WindowConfig {
    std::string section;  // "Window00"
    std::string title;
    std::string ident;  // overhead, aft_overhead, pedestal, hydraulic, lights, or empty
    int width = 0;
    int height = 0;
    bool visible = true;
    std::vector<GaugePlacement> gauges;
};

struct PanelConfig {
    std::string source;  // file name for messages
    std::vector<WindowConfig> windows;

    // Raises LoadError naming file, line and problem.
    static PanelConfig parse(std::string_view text, std::string source);
    static PanelConfig read(const std::filesystem::path& file);
    // A single window holding the given modules, for tests and quick runs.
    static PanelConfig fromModules(const std::vector<std::string>& modules);
};

}  // namespace tj20::host
