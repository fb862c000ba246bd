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
//   gauge01=rl_tj20_engine1_epr!rl_tj20_engine1_epr, 300, 0, 110, 110   ; drawn at 110 by 110
//
// A gauge entry gives the gauge's position on its window and, optionally, the size it is
// drawn at there (width, or width and height; a width alone keeps the gauge's proportions).
// Without a size the gauge is drawn at its own size. Sizes change only the picture: mouse
// points and element positions stay in the gauge's own pixels.
//
// Windows are listed in [Window Titles]; panel order is the order of the windows' numbers
// (Window2 before Window10), then of the gauge entries within each window. A window's
// title, section and ident each name that window only.
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
    int width = 0;   // the size the gauge is drawn at on the window; 0: its background's own
    int height = 0;  // 0 with a width: in the gauge's proportions
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

    // Raises LoadError naming file, line and problem. A leading UTF-8 byte-order mark is skipped.
    static PanelConfig parse(std::string_view text, std::string source);
    // Reads a regular file of at most TextFileLimit bytes (tj20host/input_file.h).
    static PanelConfig read(const std::filesystem::path& file);
    // A single window holding the given modules, for tests and quick runs.
    static PanelConfig fromModules(const std::vector<std::string>& modules);
};

}  // namespace tj20::host
