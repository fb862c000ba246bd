// tj20host render: pictures of the panel's windows after the first cycles, without a script.
//
//   tj20host render [--modules <dir>] [--panel <file>] [--cycles <n>] [--output <dir>] [<window or gauge>...]
#include "render_command.h"

#include <charconv>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tj20host/render.h"

namespace tj20::host {

int renderCommand(int argc, char** argv, const std::filesystem::path& moduleDir,
                  const std::filesystem::path& defaultPanel) {
    std::filesystem::path modules = moduleDir, panelFile = defaultPanel, output = ".";
    int cycles = 1;
    std::vector<std::string> windows;
    auto usage = [](std::string_view problem) {
        std::cerr << "tj20host: " << problem
                  << "\nusage: tj20host render [--modules <dir>] [--panel <file>] [--cycles <n>] [--output <dir>] "
                     "[<window or gauge>...]\n";
        return 2;
    };
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool valued = arg == "--modules" || arg == "--panel" || arg == "--cycles" || arg == "--output";
        if (valued && i + 1 == argc) return usage(std::string(arg) + " needs a value");
        if (arg == "--modules")
            modules = argv[++i];
        else if (arg == "--panel")
            panelFile = argv[++i];
        else if (arg == "--output")
            output = argv[++i];
        else if (arg == "--cycles") {
            const std::string_view v = argv[++i];
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), cycles);
            if (ec != std::errc() || end != v.data() + v.size() || cycles < 1)
                return usage("--cycles needs a whole number of cycles, 1 or more");
        } else if (arg.starts_with("--"))
            return usage("unknown option '" + std::string(arg) + "'");
        else
            windows.emplace_back(arg);
    }
    try {
        const PanelConfig config = PanelConfig::read(panelFile);
        auto panel = Panel::load(config, {modules});
        for (const auto& w : windows)
            if (!findWindow(config, w) && !panel->hasGauge(w) && !panel->hasGauge("rl_tj20_" + w))
                return usage(panelFile.string() + " has no window or gauge " + w);
        panel->run(cycles);
        Renderer renderer(modules);
        for (const auto& file : renderer.writeWindows(*panel, config, output, windows))
            std::cout << file.string() << "\n";
    } catch (const LoadError& e) {
        std::cerr << "tj20host: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tj20host: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace tj20::host
