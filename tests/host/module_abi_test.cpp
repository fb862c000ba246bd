// Every built module, as the simulator would see it: exactly two exports, the import table
// filled by the host, the linkage record and its one gauge header.
#include <dlfcn.h>

#include <set>

#include "panel_test.h"
#include "tj20/host_abi.h"
#include "tj20host/module_file.h"

namespace tj20::test {
namespace {

std::vector<std::string> builtModules() {
    std::vector<std::string> modules;
    for (const auto& entry : std::filesystem::directory_iterator(panelDir())) {
        const auto name = entry.path().stem().string();
        if (entry.path().extension() == ".gau" && name.rfind("rl_tj20_", 0) == 0) modules.push_back(name);
    }
    std::sort(modules.begin(), modules.end());
    return modules;
}

TEST(ModuleAbi, PanelDirectoryHoldsTheModulesOfThePanel) {
    const auto modules = builtModules();
    const std::set<std::string> present(modules.begin(), modules.end());
    for (const char* m :
         {"rl_tj20_main_master_variables", "rl_tj20_icon_ovhd_open", "rl_tj20_icon_ovhd_close",
          "rl_tj20_icon_aftovhd_open", "rl_tj20_icon_aftovhd_close", "rl_tj20_icon_pedestal_open",
          "rl_tj20_icon_pedestal_close", "rl_tj20_icon_hyd_open", "rl_tj20_icon_hyd_close", "rl_tj20_icon_lights_open",
          "rl_tj20_oh_lights", "rl_tj20_general_panellights", "rl_tj20_lights_lnd", "rl_tj20_lights_anticol"})
        EXPECT_TRUE(present.count(m)) << m;
}

TEST(ModuleAbi, EveryModuleExportsExactlyImportTableAndLinkage) {
    for (const auto& m : builtModules()) {
        const auto file = host::readModuleFile(panelDir() / (m + ".gau"));
        EXPECT_EQ(file.exports, (std::vector<std::string>{"ImportTable", "Linkage"})) << m;
    }
}

TEST(ModuleAbi, SoundLibraryStandInExportsExactlyItsThreeEntryPoints) {
    // What a simulator's own library offers, and nothing a simulator would not: the host
    // receives the calls through the sink it exports itself, not through the library.
    const auto file = host::readModuleFile(panelDir() / "GaugeSound.so");
    EXPECT_EQ(file.exports, (std::vector<std::string>{"GaugePlaySound", "GaugeStopSound", "TerminateSounds"}));
}

TEST(ModuleAbi, LinkageCarriesOneGaugeHeaderNamedAfterTheModule) {
    for (const auto& m : builtModules()) {
        void* handle = dlopen((panelDir() / (m + ".gau")).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << m << ": " << dlerror();
        const auto* import = static_cast<const abi::ImportTableRecord*>(dlsym(handle, "ImportTable"));
        const auto* linkage = static_cast<const abi::LinkageRecord*>(dlsym(handle, "Linkage"));
        ASSERT_NE(import, nullptr) << m;
        ASSERT_NE(linkage, nullptr) << m;
        EXPECT_EQ(import->id, 0x0Fu) << m;
        EXPECT_EQ(import->functions, nullptr) << m << ": the file's import table must be empty until the host fills it";
        EXPECT_EQ(import->reserved1, 0u);
        EXPECT_EQ(import->reserved2, 0u);
        EXPECT_EQ(linkage->module_id, 0x13u) << m;
        EXPECT_EQ(linkage->module_version, 0x800u) << m;
        EXPECT_EQ(linkage->module_flags, 0u);
        EXPECT_EQ(linkage->module_status, 0u);
        ASSERT_NE(linkage->gauge_table[0], nullptr) << m;
        EXPECT_EQ(linkage->gauge_table[1], nullptr) << m;
        const auto* header = linkage->gauge_table[0];
        EXPECT_EQ(header->gauge_header_version, 0x320u) << m;
        EXPECT_EQ(header->size_x, 100u) << m;
        EXPECT_EQ(header->size_y, 0u) << m;
        EXPECT_STREQ(header->gauge_name, m.c_str());
        ASSERT_NE(header->elements_list, nullptr) << m;
        ASSERT_NE(*header->elements_list, nullptr) << m;
        EXPECT_EQ((*header->elements_list)->element_type, abi::KindStaticImage) << m << ": the root is the background";
        ASSERT_NE(header->mouse_rect, nullptr) << m;
        EXPECT_EQ(header->mouse_rect[0].rect_type, abi::MouseListStart) << m;
        EXPECT_NE(header->gauge_callback, nullptr) << m;
        dlclose(handle);
    }
}

TEST(ModuleAbi, HostFillsTheImportTableBeforeTheFirstCallback) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", "rl_tj20_oh_lights"});
    void* handle = dlopen((panelDir() / "rl_tj20_oh_lights.gau").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    const auto* import = static_cast<const abi::ImportTableRecord*>(dlsym(handle, "ImportTable"));
    EXPECT_EQ(import->id, 0x0Fu);
    ASSERT_NE(import->functions, nullptr);
    EXPECT_NE(import->functions->trigger_key_event, nullptr);
    EXPECT_NE(import->functions->lookup_var, nullptr);
    dlclose(handle);
}

TEST(ModuleAbi, MouseTableFramesEveryModulesAreas) {
    // List start, areas (or a tooltip), list end, end of table; only areas carry boxes and flags.
    for (const auto& m : builtModules()) {
        void* handle = dlopen((panelDir() / (m + ".gau")).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr);
        const auto* linkage = static_cast<const abi::LinkageRecord*>(dlsym(handle, "Linkage"));
        const abi::MouseRect* r = linkage->gauge_table[0]->mouse_rect;
        ASSERT_EQ(r->rect_type, abi::MouseListStart) << m;
        ++r;
        while (r->rect_type == abi::MouseArea || r->rect_type == abi::MouseTooltip) {
            if (r->rect_type == abi::MouseArea) {
                EXPECT_NE(r->callback, nullptr) << m;
                EXPECT_NE(r->mouse_flags, 0u) << m;
                EXPECT_EQ(r->event_id, 0u) << m;
            }
            ++r;
        }
        EXPECT_EQ(r->rect_type, abi::MouseListEnd) << m;
        EXPECT_EQ((r + 1)->rect_type, abi::MouseEndOfTable) << m;
        dlclose(handle);
    }
}

}  // namespace
}  // namespace tj20::test
