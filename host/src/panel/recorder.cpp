// What the panel puts into its journal besides key events: the sound library's calls, the
// shared variables that changed, and windows shown or hidden.
#include <dlfcn.h>

#include "panel_impl.h"
#include "tj20/gauge_sound.h"

namespace tj20::host {

Event Panel::Impl::event(Event::Kind kind, std::string subject) const {
    Event e;
    e.kind = kind;
    e.cycle = cycles;
    e.tick = tick;
    e.subject = std::move(subject);
    return e;
}

void Panel::Impl::drainSounds() {
    if (!soundLibrary) {
        // The modules may have found the library since (it is looked up by name on every update).
        soundLibrary = dlopen(SoundLibraryFile, RTLD_NOW | RTLD_NOLOAD);
        if (!soundLibrary) return;
    }
    auto drain = reinterpret_cast<decltype(&Tj20SoundDrainJournal)>(dlsym(soundLibrary, "Tj20SoundDrainJournal"));
    if (!drain) return;
    drain(
        [](void* context, int call, const char* path, const char* alias, int repeat) {
            auto& self = *static_cast<Impl*>(context);
            self.guarded([&] {
                Event e = self.event(Event::Kind::Sound, self.currentModule());
                e.sound.call = call == Tj20SoundPlay   ? SoundRecord::Call::Play
                               : call == Tj20SoundStop ? SoundRecord::Call::Stop
                                                       : SoundRecord::Call::Terminate;
                e.sound.path = path;
                e.sound.alias = alias;
                e.sound.repeat = repeat != 0;
                e.sound.cycle = self.cycles;
                self.journal.add(std::move(e));
            });
        },
        this);
}

void Panel::Impl::diffShared() {
    registry.forEach([this](const std::string& name, const std::uint32_t* cell) {
        auto it = sharedSnapshot.find(name);
        if (it == sharedSnapshot.end()) {
            it = sharedSnapshot.emplace(name, 0).first;
            if (*cell == 0) return;
        } else if (it->second == *cell) {
            return;
        }
        Event e = event(Event::Kind::SharedChange, name);
        e.before = it->second;
        e.after = *cell;
        it->second = *cell;
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
