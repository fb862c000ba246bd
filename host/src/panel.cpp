// The panel: loading, the host's function table, the panel cycle, element evaluation and
// mouse dispatch.
//
// Panel order is configuration order (windows as [Window Titles] numbers them, then gauge
// entries). Install, initialise and update run in panel order; the draw service runs in
// reverse panel order, so that owners, which the configuration lists first, run their
// first-draw reset after every binder has run its own: the owner's initial value is the
// one a pilot sees after loading. Elements are evaluated in panel order after all draws.
#include "tj20host/panel.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <set>

#include "registry.h"
#include "tj20/gauge_sound.h"
#include "tj20/host_abi.h"
#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/module_file.h"

namespace tj20::host {

namespace {
constexpr std::size_t TextCapacity = 64;
constexpr const char* SoundLibraryFile = "GaugeSound.so";

// Which window each toggle event shows and hides.
const std::map<std::uint32_t, std::string> windowToggles = {
    {key::OverheadWindowToggle, "overhead"}, {key::AftOverheadWindowToggle, "aft_overhead"},
    {key::PedestalWindowToggle, "pedestal"}, {key::HydraulicWindowToggle, "hydraulic"},
    {key::LightsWindowToggle, "lights"},
};
}  // namespace

struct LoadedGauge {
    std::string module;
    std::string window;
    int x = 0;
    int y = 0;
    void* handle = nullptr;
    abi::ImportTableRecord* importTable = nullptr;
    abi::GaugeHeader* header = nullptr;
    std::vector<BitmapInfo> bitmaps;
    std::vector<ElementState> elements;
    std::map<const abi::ElementHeader*, std::vector<char>> textBuffers;
    bool killed = false;
};

struct Panel::Impl {
    std::vector<LoadedGauge> gauges;
    std::vector<WindowConfig> windows;
    Registry registry;
    SimState sim;
    SimModel model = SimModel::aircraft();
    Journal journal;
    double tick = 0;
    std::uint64_t cycles = 0;
    const LoadedGauge* current = nullptr;                            // the gauge whose callback runs now
    std::map<std::string, std::unique_ptr<std::uint32_t>> standIns;  // cells of the stand-in owners
    void* soundLibrary = nullptr;
    std::map<std::string, std::uint32_t> sharedSnapshot;
    std::set<const abi::NeedleEntry*> filledTables;  // needle tables whose angles the host has filled
    abi::HostFunctions functions{};

    LoadedGauge* find(std::string_view module) {
        for (auto& g : gauges)
            if (g.module == module) return &g;
        return nullptr;
    }
    const LoadedGauge* find(std::string_view module) const {
        for (const auto& g : gauges)
            if (g.module == module) return &g;
        return nullptr;
    }
    LoadedGauge& require(std::string_view module) {
        if (auto* g = find(module)) return *g;
        throw std::invalid_argument("no gauge " + std::string(module) + " in the panel");
    }

    void callService(LoadedGauge& g, int code) {
        current = &g;
        g.header->gauge_callback(g.header, code, 0);
        current = nullptr;
        drainSounds();
    }

    void keyEvent(std::uint32_t id, std::uint32_t value) {
        KeyEventRecord k{id, value, cycles, current ? current->module : std::string()};
        journal.keyEvents.push_back(k);
        Event e;
        e.kind = Event::Kind::KeyEvent;
        e.cycle = cycles;
        e.tick = tick;
        e.subject = k.gauge;
        e.key = k;
        journal.events.push_back(std::move(e));
        if (const auto w = windowToggles.find(id); w != windowToggles.end()) {
            for (auto& win : windows)
                if (win.ident == w->second) setWindow(win, !win.visible);
        }
        model.key(sim, id, value);
    }

    void setWindow(WindowConfig& w, bool visible) {
        if (w.visible == visible) return;
        w.visible = visible;
        Event e;
        e.kind = Event::Kind::Window;
        e.cycle = cycles;
        e.tick = tick;
        e.subject = w.title.empty() ? w.section : w.title;
        e.before = visible ? 0 : 1;
        e.after = visible ? 1 : 0;
        journal.events.push_back(std::move(e));
    }

    void drainSounds() {
        if (!soundLibrary) {
            // The modules may have found the library since (it is looked up by name on every update).
            soundLibrary = dlopen(SoundLibraryFile, RTLD_NOW | RTLD_NOLOAD);
            if (!soundLibrary) return;
        }
        auto drain = reinterpret_cast<decltype(&Tj20SoundDrainJournal)>(dlsym(soundLibrary, "Tj20SoundDrainJournal"));
        if (!drain) return;
        drain(
            [](void* ctx, int call, const char* path, const char* alias, int repeat) {
                auto& self = *static_cast<Impl*>(ctx);
                SoundRecord s;
                s.call = call == Tj20SoundPlay   ? SoundRecord::Call::Play
                         : call == Tj20SoundStop ? SoundRecord::Call::Stop
                                                 : SoundRecord::Call::Terminate;
                s.path = path;
                s.alias = alias;
                s.repeat = repeat != 0;
                s.cycle = self.cycles;
                self.journal.sounds.push_back(s);
                Event e;
                e.kind = Event::Kind::Sound;
                e.cycle = self.cycles;
                e.tick = self.tick;
                e.subject = self.current ? self.current->module : std::string();
                e.sound = s;
                self.journal.events.push_back(std::move(e));
            },
            this);
    }

    // Records every shared variable whose value changed since the last look.
    void diffShared() {
        registry.forEach([this](const std::string& name, const std::uint32_t* cell) {
            auto it = sharedSnapshot.find(name);
            if (it == sharedSnapshot.end()) {
                it = sharedSnapshot.emplace(name, 0).first;
                if (*cell == 0) return;
            } else if (it->second == *cell) {
                return;
            }
            Event e;
            e.kind = Event::Kind::SharedChange;
            e.cycle = cycles;
            e.tick = tick;
            e.subject = name;
            e.before = it->second;
            e.after = *cell;
            it->second = *cell;
            journal.events.push_back(std::move(e));
        });
    }

    void lookup(abi::MODULE_VAR& v) {
        v.var_old = v.var_value;
        v.var_value.bits = v.id == 0 ? 0 : sim.bits(v.id);
    }

    void evaluate(LoadedGauge& g);
    void journalIconChanges(const LoadedGauge& g, const std::vector<ElementState>& before);
    abi::MouseRect* hit(LoadedGauge& g, int x, int y, std::uint32_t eventFlag);
    void act(LoadedGauge& g, abi::MouseRect& area, int x, int y, std::uint32_t eventFlag);
    void cycle(double step);
};

namespace {
Panel::Impl* active = nullptr;  // the host functions reach the one live panel through this

void TJ20_CALL hostTriggerKeyEvent(abi::u32 id, abi::u32 value) {
    if (active) active->keyEvent(id, value);
}
void TJ20_CALL hostRegister(void* storage, abi::u32, const char* name) {
    if (active && storage && name)
        active->registry.add(name, static_cast<std::uint32_t*>(storage),
                             active->current ? active->current->module : std::string());
}
void TJ20_CALL hostInitialize(abi::MODULE_VAR* record, const char* name) {
    if (!active || !record || !name) return;
    record->var_ptr = active->registry.resolve(name);
    record->var_type = abi::SharedVarType;
    if (!record->var_ptr)
        active->journal.note(active->cycles, active->tick,
                             (active->current ? active->current->module : std::string("?")) + " binds \"" + name +
                                 "\", which no gauge registered: it reads 0");
}
void TJ20_CALL hostLookup(abi::MODULE_VAR* record) {
    if (active && record) active->lookup(*record);
}
void TJ20_CALL hostUnregister(const char* name) {
    if (active && name) active->registry.remove(name, active->current ? active->current->module : std::string());
}

double interpolateAngle(abi::NeedleEntry* table, std::uint32_t n, double value) {
    if (n == 0) return 0;
    if (value <= table[0].value) return table[0].angle;
    for (std::uint32_t i = 1; i < n; ++i) {
        if (value <= table[i].value) {
            const double span = table[i].value - table[i - 1].value;
            const double f = span > 0 ? (value - table[i - 1].value) / span : 1.0;
            return table[i - 1].angle + f * (table[i].angle - table[i - 1].angle);
        }
    }
    return table[n - 1].angle;
}

// Fills the table's angles: the direction from the needle's pivot to each entry's point,
// clockwise from straight up, unwrapped so that consecutive entries never jump a full turn.
void fillAngles(abi::NeedleEntry* table, std::uint32_t n, abi::PixPoint pivot) {
    double previous = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        double a = std::atan2(double(table[i].point.x - pivot.x), double(pivot.y - table[i].point.y));
        if (i > 0) {
            while (a - previous > std::numbers::pi) a -= 2 * std::numbers::pi;
            while (previous - a > std::numbers::pi) a += 2 * std::numbers::pi;
        }
        table[i].angle = a;
        previous = a;
    }
}

double call(abi::ElementCallback cb, abi::ElementHeader* e) { return cb ? cb(e) : 0.0; }
}  // namespace

// Journals each icon whose image or visibility changed since the gauge's last draw.
void Panel::Impl::journalIconChanges(const LoadedGauge& g, const std::vector<ElementState>& before) {
    if (before.size() != g.elements.size()) return;  // the first draw: nothing to compare with
    for (std::size_t i = 0; i < g.elements.size(); ++i) {
        const ElementState& now = g.elements[i];
        const ElementState& was = before[i];
        if (now.kind != abi::KindIcon || (now.state == was.state && now.visible == was.visible)) continue;
        int sharing = 0;
        for (std::size_t j = 0; j < i; ++j)
            if (g.elements[j].x == now.x && g.elements[j].y == now.y) ++sharing;
        Event e;
        e.kind = Event::Kind::Element;
        e.cycle = cycles;
        e.tick = tick;
        e.subject = g.module;
        e.element = std::to_string(now.x) + "," + std::to_string(now.y) +
                    (sharing ? "[" + std::to_string(sharing) + "]" : std::string());
        e.before = std::uint64_t(was.state);
        e.after = std::uint64_t(now.state);
        e.wasVisible = was.visible;
        e.visible = now.visible;
        journal.events.push_back(std::move(e));
    }
}

void Panel::Impl::evaluate(LoadedGauge& g) {
    current = &g;
    std::vector<ElementState> before;
    before.swap(g.elements);
    abi::ElementHeader* e = g.header->elements_list ? *g.header->elements_list : nullptr;
    for (int guard = 0; e && guard < 256; ++guard) {
        ElementState s;
        s.kind = e->element_type;
        s.bitmap = e->resource_id;
        s.x = e->position.x;
        s.y = e->position.y;
        for (const auto& b : g.bitmaps)
            if (b.id == e->resource_id) s.width = int(b.width), s.height = int(b.height);
        switch (e->element_type) {
            case abi::KindIcon: {
                auto& icon = reinterpret_cast<abi::ElementIcon*>(e)->icon;
                lookup(icon.source_var);
                s.images = icon.picture_count;
                s.value = call(icon.update_cb, e);
                const double last = icon.picture_count ? double(icon.picture_count - 1) : 0.0;
                s.state = int(std::clamp(std::isnan(s.value) ? 0.0 : std::trunc(s.value), 0.0, last));
                break;
            }
            case abi::KindNeedle: {
                auto& needle = reinterpret_cast<abi::ElementNeedle*>(e)->needle;
                lookup(needle.source_var);
                if (needle.table && filledTables.insert(needle.table).second)
                    fillAngles(needle.table, needle.table_size, e->position);
                s.value = call(needle.update_cb, e);
                s.angle = interpolateAngle(needle.table, needle.table_size, s.value);
                break;
            }
            case abi::KindText: {
                auto& text = reinterpret_cast<abi::ElementText*>(e)->text;
                for (auto& v : text.source_var) lookup(v);
                auto& buffer = g.textBuffers[e];
                if (buffer.empty()) {
                    buffer.assign(TextCapacity, '\0');
                    text.string = buffer.data();
                    text.max_string_length = TextCapacity;
                }
                s.value = call(text.update_cb, e);
                s.text = std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
                break;
            }
            case abi::KindSlider:
            case abi::KindMovingImage: {
                auto& f = reinterpret_cast<abi::ElementSlider*>(e)->slider;
                lookup(f.x.source_var);
                lookup(f.y.source_var);
                s.value = call(f.x.update_cb, e);
                const double y = call(f.y.update_cb, e);
                s.offsetX = s.value * f.x.scale;
                s.offsetY = y * f.y.scale;
                break;
            }
            case abi::KindSprite: {
                auto& f = reinterpret_cast<abi::ElementSprite*>(e)->sprite;
                lookup(f.x.source_var);
                lookup(f.y.source_var);
                lookup(f.angle.source_var);
                s.value = call(f.x.update_cb, e);
                s.offsetX = s.value * f.x.scale;
                s.offsetY = call(f.y.update_cb, e) * f.y.scale;
                s.rotation = call(f.angle.update_cb, e) * f.angle.scale;
                break;
            }
            default:
                break;
        }
        s.flags = e->image_flags;
        s.visible = (e->image_flags & abi::ImageHidden) == 0;
        s.lit = (e->image_flags & abi::ImageLit) != 0;
        g.elements.push_back(std::move(s));
        e = e->next_element ? e->next_element[0] : nullptr;
    }
    current = nullptr;
    journalIconChanges(g, before);
    drainSounds();
}

abi::MouseRect* Panel::Impl::hit(LoadedGauge& g, int x, int y, std::uint32_t eventFlag) {
    for (abi::MouseRect* r = g.header->mouse_rect; r && r->rect_type != abi::MouseEndOfTable; ++r) {
        if (r->rect_type != abi::MouseArea || !(r->mouse_flags & eventFlag)) continue;
        if (x >= r->box.x && x < r->box.x + r->box.width && y >= r->box.y && y < r->box.y + r->box.height) return r;
    }
    return nullptr;
}

void Panel::Impl::act(LoadedGauge& g, abi::MouseRect& area, int x, int y, std::uint32_t eventFlag) {
    abi::PixPoint point{x - area.box.x, y - area.box.y};
    current = &g;
    if (area.callback) area.callback(&point, eventFlag);
    current = nullptr;
    drainSounds();
    diffShared();
}

void Panel::Impl::cycle(double step) {
    ++cycles;
    tick += step;
    sim.set(sim::TickCount, tick);
    model.cycle(sim);
    for (auto& g : gauges) callService(g, abi::ServiceUpdate);
    for (auto it = gauges.rbegin(); it != gauges.rend(); ++it) callService(*it, abi::ServiceDraw);
    for (auto& g : gauges) evaluate(g);
    diffShared();
}

std::unique_ptr<Panel> Panel::load(const PanelConfig& config, const LoadOptions& options) {
    if (active) throw LoadError("a panel is already loaded: the modules keep one state each, so one panel at a time");
    namespace fs = std::filesystem;
    const fs::path dir = options.moduleDir;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) throw LoadError(dir.string() + ": module directory does not exist");
    bool anyModule = false;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.path().extension() == ".gau") anyModule = true;
    if (!anyModule) throw LoadError(dir.string() + ": module directory holds no gauge modules (.gau files)");

    auto impl = std::make_unique<Impl>();
    impl->windows = config.windows;
    impl->functions = {hostTriggerKeyEvent, hostRegister, hostInitialize, hostLookup, hostUnregister};
    if (options.loadSoundLibrary && fs::exists(dir / SoundLibraryFile))
        impl->soundLibrary = dlopen(fs::absolute(dir / SoundLibraryFile).c_str(), RTLD_NOW | RTLD_LOCAL);

    auto unloadAll = [&impl] {
        for (auto& g : impl->gauges)
            if (g.handle) dlclose(g.handle);
        if (impl->soundLibrary) dlclose(impl->soundLibrary);
    };
    try {
        for (const auto& w : config.windows) {
            for (const auto& place : w.gauges) {
                const std::string where = config.source + ":" + std::to_string(place.line) + ": ";
                if (impl->find(place.module)) throw LoadError(where + place.module + " is placed twice");
                const fs::path file = dir / (place.module + ".gau");
                if (!fs::exists(file))
                    throw LoadError(where + "module " + place.module + " not found in " + dir.string());
                LoadedGauge g;
                g.module = place.module;
                g.window = w.title.empty() ? w.section : w.title;
                g.x = place.x;
                g.y = place.y;
                try {
                    g.bitmaps = readModuleFile(file).bitmaps;
                } catch (const std::exception& e) {
                    throw LoadError(where + e.what());
                }
                g.handle = dlopen(fs::absolute(file).c_str(), RTLD_NOW | RTLD_LOCAL);
                if (!g.handle) throw LoadError(where + "cannot load " + file.string() + ": " + dlerror());
                impl->gauges.push_back(g);
                auto& loaded = impl->gauges.back();
                loaded.importTable = static_cast<abi::ImportTableRecord*>(dlsym(loaded.handle, "ImportTable"));
                auto* linkage = static_cast<abi::LinkageRecord*>(dlsym(loaded.handle, "Linkage"));
                if (!loaded.importTable || !linkage || linkage->module_id != abi::LinkageId || !linkage->gauge_table[0])
                    throw LoadError(where + file.string() + " is not a gauge module (no ImportTable or Linkage)");
                loaded.header = linkage->gauge_table[0];
                if (!loaded.header->gauge_name || place.gauge != loaded.header->gauge_name)
                    throw LoadError(where + place.module + " holds no gauge named " + place.gauge);
                if (!loaded.header->gauge_callback) throw LoadError(where + place.module + " has no service callback");
            }
        }
    } catch (...) {
        unloadAll();
        throw;
    }

    active = impl.get();
    for (const auto& name : options.standInVariables) {
        auto& cell = impl->standIns[name];
        if (!cell) cell = std::make_unique<std::uint32_t>(0);
        impl->registry.add(name, cell.get(), "host");
    }
    for (auto& g : impl->gauges) g.importTable->functions = &impl->functions;
    for (auto& g : impl->gauges) impl->callService(g, abi::ServiceInstall);
    for (auto& g : impl->gauges) impl->callService(g, abi::ServiceInitialise);
    impl->diffShared();
    return std::unique_ptr<Panel>(new Panel(std::move(impl)));
}

Panel::Panel(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Panel::~Panel() {
    for (auto& g : impl_->gauges)
        if (!g.killed) impl_->callService(g, abi::ServiceKill);
    for (auto& g : impl_->gauges) dlclose(g.handle);
    if (impl_->soundLibrary) dlclose(impl_->soundLibrary);
    active = nullptr;
}

void Panel::run(int cycles, double tickStep) {
    for (int i = 0; i < cycles; ++i) impl_->cycle(tickStep);
}

double Panel::tick() const { return impl_->tick; }

void Panel::setTick(double tick) {
    impl_->tick = tick;
    impl_->sim.set(sim::TickCount, tick);
}

std::uint64_t Panel::cycleCount() const { return impl_->cycles; }

SimState& Panel::sim() { return impl_->sim; }
const SimState& Panel::sim() const { return impl_->sim; }

std::optional<std::uint32_t> Panel::shared(std::string_view name) const {
    if (const auto* cell = impl_->registry.resolve(name)) return *cell;
    return std::nullopt;
}

bool Panel::setShared(std::string_view name, std::uint32_t value) {
    auto* cell = impl_->registry.resolve(name);
    if (!cell) return false;
    *cell = value;
    impl_->diffShared();
    return true;
}

std::vector<std::string> Panel::sharedNames() const { return impl_->registry.names(); }

std::vector<std::string> Panel::gauges() const {
    std::vector<std::string> out;
    for (const auto& g : impl_->gauges) out.push_back(g.module);
    return out;
}

bool Panel::hasGauge(std::string_view gauge) const { return impl_->find(gauge) != nullptr; }

namespace {
std::uint32_t flagOf(MouseEvent e) {
    switch (e) {
        case MouseEvent::Press:
            return abi::MouseLeftPress;
        case MouseEvent::Drag:
            return abi::MouseLeftDrag;
        case MouseEvent::RightPress:
            return abi::MouseRightPress;
    }
    return 0;
}
}  // namespace

bool Panel::mouse(std::string_view gauge, int x, int y, MouseEvent event) {
    auto& g = impl_->require(gauge);
    const auto flag = flagOf(event);
    auto* area = impl_->hit(g, x, y, flag);
    if (!area) return false;
    impl_->act(g, *area, x, y, flag);
    return true;
}

bool Panel::hold(std::string_view gauge, int x, int y, int cycles) {
    auto& g = impl_->require(gauge);
    auto* area = impl_->hit(g, x, y, abi::MouseLeftPress);
    if (area) impl_->act(g, *area, x, y, abi::MouseLeftPress);
    for (int i = 0; i < cycles; ++i) {
        if (area && (area->mouse_flags & abi::MouseRepeat)) impl_->act(g, *area, x, y, abi::MouseLeftPressRepeat);
        impl_->cycle(1.0);
    }
    return area != nullptr;
}

std::vector<ElementState> Panel::elements(std::string_view gauge) const {
    const auto* g = impl_->find(gauge);
    if (!g) throw std::invalid_argument("no gauge " + std::string(gauge) + " in the panel");
    return g->elements;
}

std::vector<ElementState> Panel::evaluate(std::string_view gauge) {
    auto& g = impl_->require(gauge);
    impl_->evaluate(g);
    return g.elements;
}

bool Panel::windowVisible(std::string_view window) const {
    for (const auto& w : impl_->windows)
        if (w.title == window || w.section == window || (!w.ident.empty() && w.ident == window)) return w.visible;
    throw std::invalid_argument("no window " + std::string(window) + " in the panel");
}

void Panel::setWindowVisible(std::string_view window, bool visible) {
    for (auto& w : impl_->windows)
        if (w.title == window || w.section == window || (!w.ident.empty() && w.ident == window)) {
            impl_->setWindow(w, visible);
            return;
        }
    throw std::invalid_argument("no window " + std::string(window) + " in the panel");
}

std::vector<std::string> Panel::windows() const {
    std::vector<std::string> out;
    for (const auto& w : impl_->windows) out.push_back(w.title.empty() ? w.section : w.title);
    return out;
}

std::optional<std::string> Panel::windowOf(std::string_view gauge) const {
    if (const auto* g = impl_->find(gauge)) return g->window;
    return std::nullopt;
}

Journal& Panel::journal() { return impl_->journal; }
const Journal& Panel::journal() const { return impl_->journal; }

void Panel::service(std::string_view gauge, int code) {
    auto& g = impl_->require(gauge);
    impl_->callService(g, code);
    g.killed = code == abi::ServiceKill ? true : (code == abi::ServiceInitialise ? false : g.killed);
    impl_->diffShared();
}

}  // namespace tj20::host
