// tj20host serve: the command line of the browser page's server (serve/server.h).
#pragma once

#include <filesystem>

namespace tj20::host {

struct ServeDefaults {
    std::filesystem::path moduleDir, panelFile, webDir, scenarioDir;
};

// argv holds the words after "serve". Returns the program's exit status.
int serveCommand(int argc, char** argv, const ServeDefaults& defaults);

}  // namespace tj20::host
