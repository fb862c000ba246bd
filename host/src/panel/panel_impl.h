// The panel's inner state, shared by the files that each carry one of its duties:
//
//   loader.cpp     reading the modules and handing them the host's function table
//   callbacks.cpp  the functions the modules call: key events, the named-variable registry
//   panel.cpp      the panel cycle and the public Panel interface
//   elements.cpp   evaluating each gauge's element chain after the draws
//   mouse.cpp      mouse dispatch to the gauges' areas
//   recorder.cpp   what goes into the journal: sounds, shared-variable changes, windows
#pragma once

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "registry.h"
#include "tj20/host_abi.h"
#include "tj20host/model.h"
#include "tj20host/module_file.h"
#include "tj20host/panel.h"

namespace tj20::host {

// What the host keeps of an element beside its state: which element it was at the last draw,
// its text buffer and font name, and the needle table whose angles it filled.
struct ElementSlot {
    const abi::ElementHeader* header = nullptr;
    const char* text = nullptr;
    const char* font = nullptr;  // the font name the state holds a copy of
    const abi::NeedleEntry* filledTable = nullptr;
};

struct LoadedGauge {
    std::string module;
    std::string window;
    int x = 0;
    int y = 0;
    int width = 0;  // as the configuration gives them; 0 when it does not
    int height = 0;
    void* handle = nullptr;
    abi::ImportTableRecord* importTable = nullptr;
    abi::GaugeHeader* header = nullptr;
    std::vector<BitmapInfo> bitmaps;
    std::vector<ElementState> elements;  // as the last draw left them, texts apart (see slots)
    std::vector<ElementSlot> slots;      // one per element
    std::map<const abi::ElementHeader*, std::vector<char>> textBuffers;
    bool killed = false;
};

// A call of the sound library, as its stand-in handed it to the host, not yet journaled.
struct SoundCall {
    int call = 0;
    std::string path;
    std::string alias;
    bool repeat = false;
    std::string gauge;  // whose callback made it; empty outside the gauges' callbacks
};

struct Panel::Impl {
    explicit Impl(const LoadOptions& options) : model(options.model), journal(options.journalCapacity) {}

    std::vector<LoadedGauge> gauges;
    std::vector<WindowConfig> windows;
    Registry registry;
    SimState sim;
    SimModel model;
    Journal journal;
    double tick = 0;
    std::uint64_t cycles = 0;
    const LoadedGauge* current = nullptr;                            // the gauge whose callback runs now
    std::map<std::string, std::unique_ptr<std::uint32_t>> standIns;  // cells of the stand-in owners
    std::set<std::string, std::less<>> boundUnregistered;            // names bound while nobody registered them
    void* soundLibrary = nullptr;                    // the host's own hold on the stand-in, if it opened it
    std::vector<SoundCall> pendingSounds;            // sound calls since the last drain
    std::set<const abi::NeedleEntry*> filledTables;  // needle tables whose angles the host has filled
    abi::HostFunctions functions{};

    LoadedGauge* find(std::string_view module);
    const LoadedGauge* find(std::string_view module) const;
    LoadedGauge& require(std::string_view module);
    std::string currentModule() const { return current ? current->module : std::string(); }

    // The panel cycle (panel.cpp).
    void cycle(double tickStep);
    void callService(LoadedGauge& g, int code);

    // Host code that a module or the sound library calls runs guarded: an exception (memory
    // running out) must not unwind through their frames, so it is kept, and raised again by
    // rethrowCallbackFailure() once the host has its control back. At teardown (killing the
    // gauges in ~Panel) nobody raises it, and the panel is unloaded all the same.
    template <typename F>
    void guarded(F f) noexcept {
        try {
            f();
        } catch (...) {
            if (!callbackFailure) callbackFailure = std::current_exception();
        }
    }
    void rethrowCallbackFailure() {
        if (callbackFailure) std::rethrow_exception(std::exchange(callbackFailure, nullptr));
    }
    std::exception_ptr callbackFailure;

    // Callbacks from the modules (callbacks.cpp).
    void keyEvent(std::uint32_t id, std::uint32_t value);
    // Refreshes a simulator-variable record: the value before and the value now (the
    // placeholder identifier 0 always reads 0). Every element runs it on every draw.
    void lookup(abi::MODULE_VAR& v) {
        v.var_old = v.var_value;
        v.var_value.bits = v.id == 0 ? 0 : sim.bits(v.id);
    }

    // The journal (recorder.cpp).
    Event event(Event::Kind kind, std::string subject) const;  // stamped with the cycle and tick
    // Journals the sound calls made since the last drain.
    void drainSounds() {
        if (!pendingSounds.empty()) journalSounds();  // most calls into a module sound nothing
    }
    void journalSounds();
    void diffShared();  // records every shared variable whose value changed since the last look
    void setWindow(WindowConfig& w, bool visible);
    WindowConfig* window(std::string_view name);  // by title, section or ident

    // Elements (elements.cpp).
    void evaluate(LoadedGauge& g);
    // The gauge's elements with their texts, as the last draw left them.
    std::vector<ElementState> texts(const LoadedGauge& g) const;
    // An icon whose image or visibility changed in the draw under way, and what it showed before.
    struct IconChange {
        std::size_t element;
        int state;
        bool visible;
    };
    std::vector<IconChange> iconChanges;  // kept between draws for its capacity
    void journalIconChanges(const LoadedGauge& g);

    // Mouse (mouse.cpp).
    abi::MouseRect* hit(LoadedGauge& g, int x, int y, std::uint32_t eventFlag);
    void act(LoadedGauge& g, abi::MouseRect& area, int x, int y, std::uint32_t eventFlag);
};

// The one live panel, which the module callbacks reach (callbacks.cpp).
extern Panel::Impl* activePanel;
// The host's function table handed to every module.
abi::HostFunctions hostFunctions();

#if defined(_WIN32)
inline constexpr const char* SoundLibraryFile = "GaugeSound.dll";
#else
inline constexpr const char* SoundLibraryFile = "GaugeSound.so";
#endif

}  // namespace tj20::host
