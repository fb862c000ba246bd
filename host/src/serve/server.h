// tj20host serve: the panel in a web browser. An HTTP server (Boost.Beast) serves the page's
// own three files and a websocket at /ws; the panel runs at 18 cycles a second on the same
// thread as the network (one Asio io_context), so only that thread touches the panel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>  // before Boost's Asio in server.cpp, which uses std::exchange without it

namespace tj20::host::serve {

struct ServeOptions {
    std::filesystem::path moduleDir;    // the .gau files
    std::filesystem::path panelFile;    // the configuration the live panel loads
    std::filesystem::path webDir;       // index.html, app.js and style.css: nothing else is served
    std::filesystem::path scenarioDir;  // the scripts the page may run (*.scn directly inside)
    std::string address = "127.0.0.1";
    std::uint16_t port = 8080;  // 0: any free port (the address line says which)
    bool paused = false;
    int speed = 1;  // cycles per 18th of a second
};

// Serves until SIGINT or SIGTERM. Prints "serving http://ADDRESS:PORT/" on `out` once it
// listens. Raises LoadError (bad configuration, modules) or std::runtime_error (the page's
// files are missing, the address cannot be bound) before serving.
void serve(const ServeOptions& options, std::ostream& out);

// Whether a request's Host header names this machine's loopback interface ("127.0.0.1",
// "localhost", "[::1]", with or without a port). A server listening on the loopback answers
// only such requests: a page of another site whose name was made to resolve to 127.0.0.1
// (DNS rebinding) sends its own name and is refused.
bool namesLoopback(std::string_view hostHeader);

// The page's files by request target: "/" is index.html; every other target is refused.
// Empty when the target names no file of the page.
std::string pageFileFor(std::string_view target);

}  // namespace tj20::host::serve
