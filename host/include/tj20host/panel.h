// The reference host: loads gauge modules into a panel and drives them as the simulator's
// panel system would. Tests, the scenario runner and the command-line program all drive
// a Panel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tj20host/config.h"
#include "tj20host/elements.h"
#include "tj20host/journal.h"
#include "tj20host/model.h"
#include "tj20host/sim_state.h"

namespace tj20::host {

// Raised for anything a person must fix before the panel can run: a missing module
// directory or module, a malformed configuration, a module without the gauge exports.
// The message names the place and the problem.
class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a gauge is drawn on its window, in the window's pixels.
struct GaugeBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool overlaps(const GaugeBox& other) const {
        return x < other.x + other.width && other.x < x + width && y < other.y + other.height && other.y < y + height;
    }
};

// Mouse event kinds the host delivers to mouse areas.
enum class MouseEvent { Press, Drag, RightPress };

struct LoadOptions {
    LoadOptions(std::filesystem::path dir = {}, bool soundLibrary = true)  // NOLINT(google-explicit-constructor)
        : moduleDir(std::move(dir)), loadSoundLibrary(soundLibrary) {}
    std::filesystem::path moduleDir;  // the .gau files and, normally, GaugeSound.so
    bool loadSoundLibrary = true;     // false: the host never opens the sound library itself
    // Shared variables the host itself owns, registered before any gauge installs, so that
    // gauges whose owner module is not in the panel can be driven: a gauge that registers the
    // same name later takes precedence (see the registry rule).
    std::vector<std::string> standInVariables;
    // How the simulator answers key events and what it does as time passes.
    SimModel model = SimModel::aircraft();
    // The journal keeps this many of the latest events (see journal.h).
    std::size_t journalCapacity = Journal::DefaultCapacity;
};

class Panel {
public:
    // Loads every gauge of the configuration from the module directory in panel order,
    // hands each its function table, installs all, then initialises all.
    static std::unique_ptr<Panel> load(const PanelConfig& config, const LoadOptions& options);
    ~Panel();  // kills every gauge, then unloads the modules
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    // Called before each cycle of a run or a held press with the number of cycles done so
    // far; returning false ends the run there (a held button is let go). The scenario runner
    // shows its progress and stops on an interrupt through it.
    using BeforeCycle = std::function<bool(int done)>;

    // One panel cycle per step: the tick advances by tickStep and the simulator model by as
    // many ticks, every gauge updates in panel order, then every gauge draws and every
    // element is evaluated.
    void run(int cycles = 1, double tickStep = 1.0, const BeforeCycle& beforeCycle = {});
    double tick() const;
    void setTick(double tick);  // the next cycle advances from here
    std::uint64_t cycleCount() const;

    // Simulator state and its model.
    SimState& sim();
    const SimState& sim() const;

    // Shared variables by name, through the registry (the binding a gauge would receive).
    std::optional<std::uint32_t> shared(std::string_view name) const;
    bool setShared(std::string_view name, std::uint32_t value);
    std::vector<std::string> sharedNames() const;
    // Names a gauge bound that no gauge (nor the host) registers: such a binding reads 0 and
    // ignores writes. Sorted.
    std::vector<std::string> unboundNames() const;

    // Gauges, by module name (rl_tj20_...), in panel order.
    std::vector<std::string> gauges() const;
    bool hasGauge(std::string_view gauge) const;

    // Mouse events at a point relative to the gauge's background. The first area in table
    // order whose box holds the point and whose flags take the event is called; returns
    // false when no area matched (nothing changes then).
    bool mouse(std::string_view gauge, int x, int y, MouseEvent event = MouseEvent::Press);
    // A left press held for `cycles` panel cycles: the area acts on the press, and a repeat
    // area acts again once in every held cycle. Returns false when no area matched (the
    // cycles still run).
    bool hold(std::string_view gauge, int x, int y, int cycles, const BeforeCycle& beforeCycle = {});
    // A press held across cycles by a driver that runs the cycles itself: the repeat area
    // under the point acts once more (call it once per held cycle). False when no repeat
    // area holds the point (nothing changes then).
    bool repeatPress(std::string_view gauge, int x, int y);

    // What the pointer finds at a point of the gauge: the first area in table order whose box
    // holds it (its event flags and cursor) and the text of the first tooltip whose box holds it.
    struct PointerInfo {
        bool area = false;
        std::uint32_t flags = 0;  // the area's mouse flags (press, repeat, drag, right press)
        int cursor = -1;          // the area's cursor: -1 none, 1 up arrow, 2 down arrow, 5 hand
        std::string tooltip;
    };
    PointerInfo pointerAt(std::string_view gauge, int x, int y) const;

    // Elements of a gauge as the last draw left them, in chain order.
    std::vector<ElementState> elements(std::string_view gauge) const;
    // Re-evaluates the gauge's elements now (as a redraw would) and returns them.
    std::vector<ElementState> evaluate(std::string_view gauge);

    // Windows of the configuration.
    bool windowVisible(std::string_view window) const;
    void setWindowVisible(std::string_view window, bool visible);
    std::vector<std::string> windows() const;
    std::optional<std::string> windowOf(std::string_view gauge) const;
    // Where the gauge is drawn on its window: its position, at the size its configuration
    // entry gives, or else at the size of its background bitmap (resource 0x100) from the
    // module's manifest. Empty when neither tells the size (most gauges' artwork is not
    // described to the host), or for a gauge the panel does not hold.
    std::optional<GaugeBox> gaugeBox(std::string_view gauge) const;

    // What happened, in order; see journal.h.
    Journal& journal();
    const Journal& journal() const;

    // Direct service call, for lifecycle tests: install, initialise, update, draw, kill or any other code.
    void service(std::string_view gauge, int code);

    struct Impl;

private:
    explicit Panel(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace tj20::host
