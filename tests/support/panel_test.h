// Shared by the gauge and host tests: loading real modules from the build's panel directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tj20host/panel.h"

namespace tj20::test {

inline std::filesystem::path panelDir() { return TJ20_PANEL_DIR; }

// A panel of one window holding these modules, in this order; the host stands in as the
// owner of the given variables.
inline std::unique_ptr<host::Panel> loadPanel(const std::vector<std::string>& modules,
                                              const std::vector<std::string>& standIns = {}) {
    host::LoadOptions options{panelDir()};
    options.standInVariables = standIns;
    return host::Panel::load(host::PanelConfig::fromModules(modules), options);
}

// Identifiers of the key events sent since the journal was last cleared.
inline std::vector<std::uint32_t> keyIds(const host::Panel& panel) {
    std::vector<std::uint32_t> ids;
    for (const auto& k : panel.journal().keyEvents) ids.push_back(k.id);
    return ids;
}

// The element at chain position `index` of a gauge, as last drawn.
inline host::ElementState element(const host::Panel& panel, const std::string& gauge, std::size_t index) {
    const auto all = panel.elements(gauge);
    if (index >= all.size()) {
        ADD_FAILURE() << gauge << " has no element " << index;
        return {};
    }
    return all[index];
}

}  // namespace tj20::test
