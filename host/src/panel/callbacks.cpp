// The functions the modules call: key events, and the named-variable registry (register,
// bind, look up, unregister). They reach the one live panel; the gauge whose callback runs
// is the sender or the owner. What may throw runs guarded (panel_impl.h).
#include "panel_impl.h"
#include "windows.h"

namespace tj20::host {

Panel::Impl* activePanel = nullptr;

namespace {
void TJ20_CALL hostTriggerKeyEvent(abi::u32 id, abi::u32 value) {
    if (activePanel) activePanel->guarded([&] { activePanel->keyEvent(id, value); });
}

void TJ20_CALL hostRegister(void* storage, abi::u32, const char* name) {
    if (activePanel && storage && name)
        activePanel->guarded([&] {
            activePanel->registry.add(name, static_cast<std::uint32_t*>(storage), activePanel->currentModule());
        });
}

void TJ20_CALL hostInitialize(abi::MODULE_VAR* record, const char* name) {
    if (!activePanel || !record || !name) return;
    auto& panel = *activePanel;
    record->var_ptr = panel.registry.resolve(name);
    record->var_type = abi::SharedVarType;
    if (record->var_ptr) return;
    panel.guarded([&] {
        panel.boundUnregistered.insert(name);
        const std::string who = panel.current ? panel.current->module : std::string("?");
        panel.journal.note(panel.cycles, panel.tick,
                           who + " binds \"" + name + "\", which no gauge registered: it reads 0");
    });
}

void TJ20_CALL hostLookup(abi::MODULE_VAR* record) {
    if (activePanel && record) activePanel->lookup(*record);
}

void TJ20_CALL hostUnregister(const char* name) {
    if (activePanel && name)
        activePanel->guarded([&] { activePanel->registry.remove(name, activePanel->currentModule()); });
}
}  // namespace

abi::HostFunctions hostFunctions() {
    return {hostTriggerKeyEvent, hostRegister, hostInitialize, hostLookup, hostUnregister};
}

// A key event is journaled with its sender, then applied: a window toggle shows or hides
// its window, and the simulator model answers the rest.
void Panel::Impl::keyEvent(std::uint32_t id, std::uint32_t value) {
    Event e = event(Event::Kind::KeyEvent, currentModule());
    e.key = {id, value, cycles, currentModule()};
    journal.add(std::move(e));
    if (const auto ident = toggledWindow(id))
        for (auto& w : windows)
            if (w.ident == *ident) setWindow(w, !w.visible);
    model.key(sim, id, value);
}

}  // namespace tj20::host
