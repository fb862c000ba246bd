// A scenario script as parsed: the panel it loads and its steps, each with its line. The
// parser checks the syntax; the runner checks the names against the loaded panel, then runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tj20host/scenario.h"

namespace tj20::host::scenario {

struct Point {
    int x = 0;
    int y = 0;
};

// A simulator variable or key event as written: its identifier and how the script named it.
struct Id {
    std::uint32_t id = 0;
    std::string written;
};

// A simulator value: a float, or packed digits when written in hexadecimal.
struct SimValue {
    bool digits = false;
    double number = 0;
    std::uint32_t packed = 0;
};

// An element: the n-th element of the gauge's chain standing at a position.
struct ElementRef {
    std::string gauge;
    Point at;
    int index = 0;
};

struct LoadDefault {};
struct LoadConfig {
    std::filesystem::path file;  // resolved against the script's directory
    std::string written;
};
struct LoadModules {
    std::vector<std::string> modules;
};
using Load = std::variant<LoadDefault, LoadConfig, LoadModules>;

struct SetSim {
    Id var;
    SimValue value;
};
struct SetShared {
    std::string name;
    std::uint32_t value = 0;
};
struct SetTick {
    double tick = 0;
};
struct SetWindow {
    std::string window;
    bool visible = false;
};
struct MouseStep {
    enum class Kind { Click, RightClick, Drag } kind = Kind::Click;
    std::string gauge;
    Point at;
};
struct HoldStep {
    std::string gauge;
    Point at;
    int cycles = 1;
};
struct RunStep {
    int cycles = 1;
    double tickStep = 1.0;
};
struct NoteStep {
    std::string text;
};
// Pictures of windows and gauges (none named: every window) into a directory.
struct RenderStep {
    std::filesystem::path directory;  // resolved against the options' output directory
    std::vector<std::string> windows;  // windows or gauges
};

struct ExpectShared {
    std::string name;
    std::uint32_t value = 0;
};
struct ExpectSim {
    Id var;
    SimValue value;
    double tolerance = 0;
};
struct KeyItem {
    Id key;
    std::optional<std::uint32_t> value;  // a negative value written is kept in two's complement, as gauges send it
    int times = 1;                       // "<event>*n": n of them in a row, counted, not written out
};
struct ExpectKeys {
    std::string gauge;           // only the events this gauge sent; empty: every gauge's
    bool include = false;        // the items in order among others, not exactly these
    std::vector<KeyItem> items;  // empty: none at all
};
struct SoundItem {
    std::string sound;            // wave file, path or alias
    std::optional<bool> repeats;  // played: "=once" (false) or "=repeating" (true); unset: either
    int times = 1;                // "<sound>*n": n of them in a row
};
struct ExpectSounds {
    enum class Which { Played, Stopped, Playing } which = Which::Played;
    bool include = false;
    std::vector<SoundItem> items;  // wave files (played) or aliases (stopped, playing)
};
struct ExpectWindow {
    std::string window;
    bool visible = false;
};
struct ExpectGauge {  // the gauge's window shown or hidden
    std::string gauge;
    bool visible = false;
};
struct ExpectElement {
    enum class What { State, Shown, Hidden, Lit, Unlit, Value, Angle, Offset, Text } what = What::State;
    ElementRef element;
    double number = 0;
    double numberY = 0;  // offsets: the y offset (number is the x offset)
    double tolerance = 0;
    std::string text;
};

using Action =
    std::variant<SetSim, SetShared, SetTick, SetWindow, MouseStep, HoldStep, RunStep, NoteStep, RenderStep,
                 ExpectShared, ExpectSim, ExpectKeys, ExpectSounds, ExpectWindow, ExpectGauge, ExpectElement>;

struct Step {
    int line = 0;
    std::string source;  // the line as written, without its comment
    Action action;
};

struct Script {
    std::string file;  // as given, for messages
    std::filesystem::path directory;
    std::optional<Load> load;
    int loadLine = 0;
    std::vector<Step> steps;
};

// Parses the whole text; every syntax problem lands in `errors` (nothing is thrown).
Script parse(std::string_view text, const std::filesystem::path& file, std::vector<Diagnostic>& errors);

// Default tolerance of float comparisons when a script gives none.
inline constexpr double ExactTolerance = 1e-9;
// The longest tick step a run takes: a cycle of a million ticks is 15 hours and a half of
// simulated time, and a hundred million of them keep the tick counter exact and finite.
inline constexpr double MaxTickStep = 1e6;

}  // namespace tj20::host::scenario
