// Linux module files as the host reads and checks them before loading one
// (module_file_promises.h says what holds).
#include "module_file_promises.h"
#include "tj20host/module_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return readAndCheckModule(data, size, tj20::host::readModuleBytes, tj20::host::checkModuleBytes);
}
