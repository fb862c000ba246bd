// What the panel puts into its journal besides key events: the sound library's calls, the
// shared variables that changed, and windows shown or hidden.
#include "panel_impl.h"
#include "tj20/gauge_sound.h"

#if defined(_WIN32)
#define TJ20_PROGRAM_EXPORT __declspec(dllexport)
#else
#define TJ20_PROGRAM_EXPORT __attribute__((visibility("default")))
#endif

// The sound library stand-in hands every call to the sink of the program that loaded it,
// found by this name among the program's own exports: the host takes note of the call and
// of the gauge whose callback made it, and journals it when the callback has returned.
// No exception leaves it into the sound library and the gauge: running out of memory is kept
// until the host has control back.
extern "C" TJ20_PROGRAM_EXPORT void Tj20SoundSink(int call, const char* path, const char* alias, int repeat) noexcept {
    if (auto* panel = tj20::host::activePanel)
        panel->guarded([&] {
            panel->pendingSounds.push_back(
                {call, path ? path : "", alias ? alias : "", repeat != 0, panel->currentModule()});
        });
}

namespace tj20::host {

Event Panel::Impl::event(Event::Kind kind, std::string subject) const {
    Event e;
    e.kind = kind;
    e.cycle = cycles;
    e.tick = tick;
    e.subject = std::move(subject);
    return e;
}

void Panel::Impl::journalSounds() {
    auto calls = std::move(pendingSounds);
    pendingSounds.clear();
    // Runs after every call into a module, the kills of a panel being destroyed among them:
    // running out of memory here is kept like a callback's, never thrown from a destructor.
    guarded([&] {
        for (auto& c : calls) {
            Event e = event(Event::Kind::Sound, std::move(c.gauge));
            e.sound.call = c.call == Tj20SoundPlay   ? SoundRecord::Call::Play
                           : c.call == Tj20SoundStop ? SoundRecord::Call::Stop
                                                     : SoundRecord::Call::Terminate;
            e.sound.path = std::move(c.path);
            e.sound.alias = std::move(c.alias);
            e.sound.repeat = c.repeat;
            e.sound.cycle = cycles;
            journal.add(std::move(e));
        }
    });
}

void Panel::Impl::diffShared() {
    registry.forEachChange([this](const std::string& name, std::uint32_t before, std::uint32_t after) {
        Event e = event(Event::Kind::SharedChange, name);
        e.before = before;
        e.after = after;
        journal.add(std::move(e));
    });
}

void Panel::Impl::setWindow(WindowConfig& w, bool visible) {
    if (w.visible == visible) return;
    w.visible = visible;
    Event e = event(Event::Kind::Window, w.title.empty() ? w.section : w.title);
    e.before = visible ? 0 : 1;
    e.after = visible ? 1 : 0;
    journal.add(std::move(e));
}

WindowConfig* Panel::Impl::window(std::string_view name) {
    for (auto& w : windows)
        if (w.title == name || w.section == name || (!w.ident.empty() && w.ident == name)) return &w;
    return nullptr;
}

}  // namespace tj20::host
