// Reading the files a person hands the host: panel configurations, scenario scripts and
// gauge modules. Each must be a regular file no larger than its kind's limit; anything else
// (a directory, a FIFO, a device such as /dev/zero, a file the host may not read, an
// oversized file) is refused with a message that names the file and says what is wrong.
// The file is examined before it is opened, and opened without blocking where the system
// has the flag, so a FIFO nobody writes to cannot hang the host.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host {

// Panel configurations and scenario scripts: text a person writes, a few kilobytes each.
inline constexpr std::uintmax_t TextFileLimit = 4u << 20;  // 4 MiB
// Gauge modules: a few hundred kilobytes, more in a sanitizer build.
inline constexpr std::uintmax_t ModuleFileLimit = 256u << 20;  // 256 MiB

class InputFileError : public std::runtime_error {
public:
    InputFileError(const std::filesystem::path& file, const std::string& problem)
        : std::runtime_error(file.string() + ": " + problem), problem_(problem) {}
    // What is wrong, without the file name: "panel configuration is a directory".
    const std::string& problem() const { return problem_; }

private:
    std::string problem_;
};

// The whole content of `file`, read as `what` ("panel configuration", "scenario script",
// "module file"); raises InputFileError naming the file and the problem, for example
// "x.cfg: panel configuration is not a regular file (a FIFO)".
std::string readInputFile(const std::filesystem::path& file, std::string_view what, std::uintmax_t limit);

// The module names (file names without ".gau") of the module directory's entries, sorted;
// empty when the directory cannot be listed. Memory running out while listing raises
// std::bad_alloc like anywhere else (the standard library's error-code listing is noexcept
// and would end the program instead).
std::vector<std::string> moduleFilesIn(const std::filesystem::path& dir);

// Text without a leading UTF-8 byte-order mark, which some editors write.
inline std::string_view withoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

}  // namespace tj20::host
