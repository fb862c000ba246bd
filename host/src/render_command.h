// The render command of tj20host (render_command.cpp).
#pragma once

#include <filesystem>

namespace tj20::host {

// argv holds the words after "render"; returns the program's exit status.
int renderCommand(int argc, char** argv, const std::filesystem::path& moduleDir,
                  const std::filesystem::path& defaultPanel);

}  // namespace tj20::host
