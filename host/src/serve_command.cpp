// tj20host serve: the panel in a web browser.
//
//   tj20host serve [--modules <dir>] [--panel <file>] [--web <dir>] [--scenarios <dir>]
//                  [--address <ip>] [--port <n>] [--paused] [--speed <n>]
#include "serve_command.h"

#include <charconv>
#include <iostream>
#include <string>
#include <string_view>

#include "serve/server.h"
#include "tj20host/panel.h"

namespace tj20::host {

namespace {
bool wholeNumber(std::string_view text, int least, int most, int& out) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < least || v > most) return false;
    out = v;
    return true;
}
}  // namespace

int serveCommand(int argc, char** argv, const ServeDefaults& defaults) {
    serve::ServeOptions o;
    o.moduleDir = defaults.moduleDir;
    o.panelFile = defaults.panelFile;
    o.webDir = defaults.webDir;
    o.scenarioDir = defaults.scenarioDir;
    auto usage = [](std::string_view problem) {
        std::cerr << "tj20host: " << problem
                  << "\nusage: tj20host serve [--modules <dir>] [--panel <file>] [--web <dir>] [--scenarios <dir>]\n"
                     "                      [--address <ip>] [--port <n>] [--paused] [--speed <n>]\n";
        return 2;
    };
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool valued = arg == "--modules" || arg == "--panel" || arg == "--web" || arg == "--scenarios" ||
                            arg == "--address" || arg == "--port" || arg == "--speed";
        if (valued && i + 1 == argc) return usage(std::string(arg) + " needs a value");
        int n = 0;
        if (arg == "--modules")
            o.moduleDir = argv[++i];
        else if (arg == "--panel")
            o.panelFile = argv[++i];
        else if (arg == "--web")
            o.webDir = argv[++i];
        else if (arg == "--scenarios")
            o.scenarioDir = argv[++i];
        else if (arg == "--address")
            o.address = argv[++i];
        else if (arg == "--port") {
            if (!wholeNumber(argv[++i], 0, 65535, n)) return usage("--port needs a port number from 0 to 65535");
            o.port = static_cast<std::uint16_t>(n);
        } else if (arg == "--speed") {
            if (!wholeNumber(argv[++i], 1, 16, n)) return usage("--speed needs a whole number of cycles from 1 to 16");
            o.speed = n;
        } else if (arg == "--paused")
            o.paused = true;
        else
            return usage("unknown argument '" + std::string(arg) + "'");
    }
    try {
        serve::serve(o, std::cout);
    } catch (const LoadError& e) {
        std::cerr << "tj20host: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tj20host: " << e.what() << "\n";
        return 2;
    }
    return 0;
}

}  // namespace tj20::host
