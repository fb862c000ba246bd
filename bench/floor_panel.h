// The floor of the panel cycle: a panel laid out as the real one, each gauge replaced by a
// floor gauge (floor/tj20_floor.cpp) with the same number of elements, all static images with
// nothing to compute. What the real panel costs above it is the gauges' own work and the
// host's work for what they show; the ratio of the two holds from one machine to another.
//
// The floor modules are built once per element count (TJ20_FLOOR_ELEMENT_COUNTS in
// bench/CMakeLists.txt) into TJ20_FLOOR_DIR; each gauge of the floor panel is its own copy of
// one of them in a scratch directory, so that every gauge keeps its own state as a real
// module does.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "tj20host/panel.h"

namespace tj20::bench {

class FloorPanel {
public:
    // Loads the real panel once to count each gauge's elements (after its first draw), then
    // loads the floor panel in its place.
    FloorPanel(const host::PanelConfig& real, const std::filesystem::path& moduleDir,
               const std::filesystem::path& floorDir = TJ20_FLOOR_DIR)
        : dir_(std::filesystem::temp_directory_path() / ("tj20_floor." + std::to_string(::getpid()))) {
        try {
            build(real, moduleDir, floorDir);
        } catch (...) {
            std::error_code ignored;
            std::filesystem::remove_all(dir_, ignored);
            throw;
        }
    }
    ~FloorPanel() {
        panel_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    FloorPanel(const FloorPanel&) = delete;
    FloorPanel& operator=(const FloorPanel&) = delete;

    host::Panel& panel() { return *panel_; }

private:
    void build(const host::PanelConfig& real, const std::filesystem::path& moduleDir,
               const std::filesystem::path& floorDir) {
        namespace fs = std::filesystem;
        host::PanelConfig floor = real;
        {
            auto panel = host::Panel::load(real, {moduleDir});
            panel->run(1);
            fs::remove_all(dir_);
            fs::create_directories(dir_);
            const fs::path sound = moduleDir / "GaugeSound.so";
            if (fs::exists(sound)) fs::copy_file(sound, dir_ / sound.filename());
            int index = 0;
            for (auto& w : floor.windows) {
                for (auto& place : w.gauges) {
                    const auto count = panel->elements(place.module).size();
                    const fs::path module = floorDir / ("tj20_floor_" + std::to_string(count) + ".gau");
                    if (!fs::exists(module))
                        throw std::runtime_error(
                            module.string() + ": no floor gauge of " + std::to_string(count) + " elements for " +
                            place.module + "; add the count to TJ20_FLOOR_ELEMENT_COUNTS in bench/CMakeLists.txt");
                    place.module = "tj20_floor_" + std::to_string(index++);
                    place.gauge = "tj20_floor";
                    fs::copy_file(module, dir_ / (place.module + ".gau"));
                }
            }
        }
        panel_ = host::Panel::load(floor, {dir_});
    }

    std::filesystem::path dir_;
    std::unique_ptr<host::Panel> panel_;
};

}  // namespace tj20::bench
