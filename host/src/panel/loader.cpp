// Loading a panel: every module the configuration names is read from the module directory,
// checked to be a gauge module holding the gauge the configuration asks for, and given the
// host's function table; then every gauge installs, and then every gauge initialises.
// A module's records are checked from its file before it is loaded, so a module whose
// records are damaged or foreign is refused before any of its code runs.
// Anything wrong is a LoadError raised before any gauge runs.
#include "panel_impl.h"
#include "platform/os.h"
#include "tj20host/input_file.h"
#include "tj20host/module_check.h"

namespace tj20::host {

namespace {
namespace fs = std::filesystem;

void requireModules(const fs::path& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) throw LoadError(dir.string() + ": module directory does not exist");
    if (!moduleFilesIn(dir).empty()) return;
    throw LoadError(dir.string() + ": module directory holds no gauge modules (.gau files)");
}

// Opens one module and checks that it holds the placed gauge; the caller unloads on failure.
void openModule(Panel::Impl& impl, const fs::path& dir, const PanelConfig& config, const WindowConfig& w,
                const GaugePlacement& place) {
    const std::string where = config.source + ":" + std::to_string(place.line) + ": ";
    if (impl.find(place.module)) throw LoadError(where + place.module + " is placed twice");
    const fs::path file = dir / (place.module + ".gau");
    if (!fs::exists(file)) throw LoadError(where + "module " + place.module + " not found in " + dir.string());
    LoadedGauge g;
    g.module = place.module;
    g.window = w.title.empty() ? w.section : w.title;
    g.x = place.x;
    g.y = place.y;
    g.width = place.width;
    g.height = place.height;
    try {
        g.bitmaps = readModuleFile(file).bitmaps;
        checkModuleFile(file);  // before the system loader runs any of the module's code
    } catch (const std::runtime_error& e) {
        throw LoadError(where + e.what());
    }
    std::string error;
    os::enterModule(place.module.c_str(), "loading");
    g.handle = os::openLibrary(file, error);
    os::leaveModule();
    if (!g.handle) throw LoadError(where + "cannot load " + file.string() + ": " + error);
    auto& loaded = impl.gauges.emplace_back(std::move(g));
    loaded.importTable = static_cast<abi::ImportTableRecord*>(os::librarySymbol(loaded.handle, "ImportTable"));
    auto* linkage = static_cast<abi::LinkageRecord*>(os::librarySymbol(loaded.handle, "Linkage"));
    if (!loaded.importTable || !linkage || linkage->module_id != abi::LinkageId || !linkage->gauge_table[0])
        throw LoadError(where + file.string() + " is not a gauge module (no ImportTable or Linkage)");
    loaded.header = linkage->gauge_table[0];
    if (!loaded.header->gauge_name || place.gauge != loaded.header->gauge_name)
        throw LoadError(where + place.module + " holds no gauge named " + place.gauge);
    if (!loaded.header->gauge_callback) throw LoadError(where + place.module + " has no service callback");
}

void unloadModules(Panel::Impl& impl) {
    for (auto& g : impl.gauges) os::closeLibrary(g.handle);
    os::closeLibrary(impl.soundLibrary);
}
}  // namespace

std::unique_ptr<Panel> Panel::load(const PanelConfig& config, const LoadOptions& options) {
    if (activePanel)
        throw LoadError("a panel is already loaded: the modules keep one state each, so one panel at a time");
    const fs::path dir = options.moduleDir;
    requireModules(dir);

    os::useSimulatorPrecision();
    auto impl = std::make_unique<Impl>(options);
    impl->windows = config.windows;
    impl->functions = hostFunctions();
    // The host holds the stand-in beside the modules, as a simulator holds its own sound
    // library: a module asking for "GaugeSound" by name receives the loaded one.
    if (options.loadSoundLibrary && fs::exists(dir / SoundLibraryFile)) {
        std::string ignored;  // without it the modules skip their sounds, as they would in a simulator
        impl->soundLibrary = os::openLibrary(dir / SoundLibraryFile, ignored);
    }
    try {
        for (const auto& w : config.windows)
            for (const auto& place : w.gauges) openModule(*impl, dir, config, w, place);
    } catch (...) {
        unloadModules(*impl);
        throw;
    }

    activePanel = impl.get();
    // The host's stand-in cells are registered first, so a gauge registering the name wins.
    for (const auto& name : options.standInVariables) {
        auto& cell = impl->standIns[name];
        if (!cell) cell = std::make_unique<std::uint32_t>(0);
        impl->registry.add(name, cell.get(), "host");
    }
    for (auto& g : impl->gauges) g.importTable->functions = &impl->functions;
    for (auto& g : impl->gauges) impl->callService(g, abi::ServiceInstall);
    for (auto& g : impl->gauges) impl->callService(g, abi::ServiceInitialise);
    impl->diffShared();
    return std::unique_ptr<Panel>(new Panel(std::move(impl)));
}

Panel::~Panel() {
    for (auto& g : impl_->gauges)
        if (!g.killed) impl_->callService(g, abi::ServiceKill);
    unloadModules(*impl_);
    activePanel = nullptr;
}

}  // namespace tj20::host
