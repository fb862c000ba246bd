// Reading a file a person named: stat first, so that a directory, FIFO, device or oversized
// file is refused before it is opened; then open without blocking and check again what was
// opened, in case the name was replaced in between. And listing the module directory.
#include "tj20host/input_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

// Flags a Windows build of the host lacks: there the file is examined before it is opened.
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0
#endif
#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace tj20::host {

namespace {
std::string systemProblem(int error) {
    std::string text = std::strerror(error);
    if (!text.empty() && text.front() >= 'A' && text.front() <= 'Z')
        text.front() = static_cast<char>(text.front() + 32);
    return text;
}

std::string openProblem(int error) {
    if (error == ENOENT || error == ENOTDIR) return "not found";
    if (error == EACCES || error == EPERM) return "cannot be read: permission denied";
    return "cannot be read: " + systemProblem(error);
}

const char* kindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
#ifdef S_ISBLK
    if (S_ISBLK(mode)) return "a block device";
#endif
#ifdef S_ISSOCK
    if (S_ISSOCK(mode)) return "a socket";
#endif
    return "a special file";
}

// Why a file of this kind and size cannot be read, or empty when it can.
std::string statProblem(const struct stat& st, std::uintmax_t limit) {
    if (S_ISDIR(st.st_mode)) return "is a directory";
    if (!S_ISREG(st.st_mode)) return std::string("is not a regular file (") + kindOf(st.st_mode) + ")";
    if (static_cast<std::uintmax_t>(st.st_size) > limit) return "is larger than " + std::to_string(limit) + " bytes";
    return {};
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};
}  // namespace

std::string readInputFile(const std::filesystem::path& file, std::string_view what, std::uintmax_t limit) {
    const auto fail = [&](const std::string& problem) {
        // "not found" reads without a verb; every other problem begins with one.
        throw InputFileError(file, std::string(what) + " " + problem);
    };
    struct stat st {};
    if (::stat(file.string().c_str(), &st) != 0) fail(openProblem(errno));
    if (auto problem = statProblem(st, limit); !problem.empty()) fail(problem);

    Descriptor in;
    in.fd = ::open(file.string().c_str(), O_RDONLY | O_BINARY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (in.fd < 0) fail(openProblem(errno));
    if (::fstat(in.fd, &st) != 0) fail("cannot be read: " + systemProblem(errno));
    if (auto problem = statProblem(st, limit); !problem.empty()) fail(problem);

    std::string text(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t size = 0;
    for (;;) {
        // One byte past the limit tells a file that grew beyond it while being read.
        if (size == text.size()) {
            if (size > limit) fail("is larger than " + std::to_string(limit) + " bytes");
            text.resize(std::min<std::uintmax_t>(limit + 1, std::max<std::size_t>(4096, size * 2)));
        }
        const auto n = ::read(in.fd, text.data() + size,
                              static_cast<unsigned>(std::min<std::size_t>(text.size() - size, 1u << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("cannot be read: " + systemProblem(errno));
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
    }
    if (size > limit) fail("is larger than " + std::to_string(limit) + " bytes");
    text.resize(size);
    return text;
}

std::vector<std::string> moduleFilesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    DIR* listing = ::opendir(dir.string().c_str());
    if (!listing) return names;
    struct Closer {
        DIR* d;
        ~Closer() { ::closedir(d); }
    } closer{listing};
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() > 4 && name.ends_with(".gau")) names.emplace_back(name.substr(0, name.size() - 4));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tj20::host
