// Shared by the gauge and host tests: loading real modules from the build's panel directory.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tj20/host_abi.h"
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

// A module's simulator-variable table: the identifiers it passes to lookup_var in one
// update, in order. The module runs on its own under a host that only records, so no panel
// may hold it at the time.
inline std::vector<std::uint32_t> simTableOf(const std::string& module) {
    static std::vector<std::uint32_t> looked;
    looked.clear();
    static abi::HostFunctions recorder{[](abi::u32, abi::u32) {}, [](void*, abi::u32, const char*) {},
                                       [](abi::MODULE_VAR*, const char*) {},
                                       [](abi::MODULE_VAR* v) { looked.push_back(v->id); }, [](const char*) {}};
    void* handle = dlopen((panelDir() / (module + ".gau")).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        ADD_FAILURE() << module << ": " << dlerror();
        return {};
    }
    auto* import = static_cast<abi::ImportTableRecord*>(dlsym(handle, "ImportTable"));
    auto* gauge = static_cast<abi::LinkageRecord*>(dlsym(handle, "Linkage"))->gauge_table[0];
    import->functions = &recorder;
    gauge->gauge_callback(gauge, abi::ServiceUpdate, 0);
    gauge->gauge_callback(gauge, abi::ServiceKill, 0);
    import->functions = nullptr;
    dlclose(handle);
    return looked;
}

}  // namespace tj20::test
