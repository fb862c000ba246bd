// The import table the host fills with its function table before the first callback,
// and the sending of key events through it.
#include "host.h"
#include "tj20/keys.h"

extern "C" {
TJ20_EXPORT constinit tj20::abi::ImportTableRecord ImportTable{tj20::abi::ImportTableId, nullptr, 0, 0};
}

namespace tj20 {

namespace detail {
const abi::HostFunctions* host() { return ImportTable.functions; }
void TJ20_CALL moduleNoop() {}
}  // namespace detail

void send(KeyEvent event, abi::u32 value) {
    if (const auto* h = detail::host(); h && h->trigger_key_event) h->trigger_key_event(event.id, value);
}

}  // namespace tj20
