// Checking a module from its file before the system loader runs any of its code: the
// exported ImportTable and Linkage must be data records of their full size, carry the
// identifiers and versions of the host's interface, and point (through the gauge header)
// only into the module's own image, at a gauge name that is a short string and a service
// callback in the module's code. A module that fails is refused with a message naming the
// file and the fault, so that a damaged or foreign module cannot crash the host as it loads.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

namespace tj20::host {

// The longest gauge name the host accepts (the modules' names are around 30 characters).
inline constexpr std::size_t MaxGaugeNameLength = 255;

// Checks the module file of the system the host runs on (an ELF shared object on Linux, a
// 32-bit PE DLL on Windows); raises std::runtime_error "<file>: <what is wrong>".
void checkModuleFile(const std::filesystem::path& file);
// The same on the file's bytes; `file` names it in messages.
void checkModuleBytes(std::span<const char> bytes, const std::string& file);
// Checks a 32-bit Windows module's bytes: the Windows host's checkModuleBytes, on any
// system for the tests.
void checkPeModuleBytes(std::span<const char> bytes, const std::string& file);

}  // namespace tj20::host
