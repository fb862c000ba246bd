// The panel cycle and the public Panel interface.
//
// Panel order is configuration order (windows as [Window Titles] numbers them, then gauge
// entries). Install, initialise and update run in panel order; the draw service runs in
// reverse panel order, so that owners, which the configuration lists first, run their
// first-draw reset after every binder has run its own: the owner's initial value is the
// one a pilot sees after loading. Elements are evaluated in panel order after all draws.
#include "tj20host/panel.h"

#include <cmath>

#include "panel_impl.h"
#include "platform/os.h"
#include "tj20/ids.h"

namespace tj20::host {

namespace {
// The service call as the crash report names it.
const char* serviceCallName(int code) {
    switch (code) {
        case abi::ServiceInstall:
            return "install service call";
        case abi::ServiceInitialise:
            return "initialise service call";
        case abi::ServiceUpdate:
            return "update service call";
        case abi::ServiceDraw:
            return "draw service call";
        case abi::ServiceKill:
            return "kill service call";
    }
    return "service call";
}
}  // namespace

void Panel::Impl::cycle(double tickStep) {
    ++cycles;
    tick += tickStep;
    sim.set(sim::TickCount, tick);
    model.advance(sim, tickStep);
    for (auto& g : gauges) callService(g, abi::ServiceUpdate);
    for (auto it = gauges.rbegin(); it != gauges.rend(); ++it) callService(*it, abi::ServiceDraw);
    for (auto& g : gauges) evaluate(g);
    diffShared();
    rethrowCallbackFailure();
}

void Panel::Impl::callService(LoadedGauge& g, int code) {
    current = &g;
    os::enterModule(g.module.c_str(), serviceCallName(code));
    g.header->gauge_callback(g.header, code, 0);
    os::leaveModule();
    current = nullptr;
    drainSounds();
}

LoadedGauge* Panel::Impl::find(std::string_view module) {
    for (auto& g : gauges)
        if (g.module == module) return &g;
    return nullptr;
}

const LoadedGauge* Panel::Impl::find(std::string_view module) const {
    for (const auto& g : gauges)
        if (g.module == module) return &g;
    return nullptr;
}

LoadedGauge& Panel::Impl::require(std::string_view module) {
    if (auto* g = find(module)) return *g;
    throw std::invalid_argument("no gauge " + std::string(module) + " in the panel");
}

Panel::Panel(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

void Panel::run(int cycles, double tickStep, const BeforeCycle& beforeCycle) {
    for (int i = 0; i < cycles; ++i) {
        if (beforeCycle && !beforeCycle(i)) return;
        impl_->cycle(tickStep);
    }
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

std::vector<std::string> Panel::unboundNames() const {
    std::vector<std::string> out;
    for (const auto& name : impl_->boundUnregistered)
        if (!impl_->registry.resolve(name)) out.push_back(name);
    return out;
}

std::vector<std::string> Panel::gauges() const {
    std::vector<std::string> out;
    for (const auto& g : impl_->gauges) out.push_back(g.module);
    return out;
}

bool Panel::hasGauge(std::string_view gauge) const { return impl_->find(gauge) != nullptr; }

std::vector<ElementState> Panel::elements(std::string_view gauge) const {
    const auto* g = impl_->find(gauge);
    if (!g) throw std::invalid_argument("no gauge " + std::string(gauge) + " in the panel");
    return impl_->texts(*g);
}

std::vector<ElementState> Panel::evaluate(std::string_view gauge) {
    auto& g = impl_->require(gauge);
    impl_->evaluate(g);
    impl_->rethrowCallbackFailure();
    return impl_->texts(g);
}

bool Panel::windowVisible(std::string_view window) const {
    if (const auto* w = impl_->window(window)) return w->visible;
    throw std::invalid_argument("no window " + std::string(window) + " in the panel");
}

void Panel::setWindowVisible(std::string_view window, bool visible) {
    auto* w = impl_->window(window);
    if (!w) throw std::invalid_argument("no window " + std::string(window) + " in the panel");
    impl_->setWindow(*w, visible);
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

std::optional<GaugeBox> Panel::gaugeBox(std::string_view gauge) const {
    const auto* g = impl_->find(gauge);
    if (!g) return std::nullopt;
    int width = 0, height = 0;  // the background's own size
    for (const auto& b : g->bitmaps)
        if (b.id == abi::BackgroundBitmap) width = int(b.width), height = int(b.height);
    if (g->width > 0 && g->height > 0) return GaugeBox{g->x, g->y, g->width, g->height};
    if (width <= 0 || height <= 0) return std::nullopt;
    if (g->width > 0) return GaugeBox{g->x, g->y, g->width, int(std::lround(double(g->width) * height / width))};
    return GaugeBox{g->x, g->y, width, height};
}

Journal& Panel::journal() { return impl_->journal; }
const Journal& Panel::journal() const { return impl_->journal; }

void Panel::service(std::string_view gauge, int code) {
    auto& g = impl_->require(gauge);
    impl_->callService(g, code);
    g.killed = code == abi::ServiceKill ? true : (code == abi::ServiceInitialise ? false : g.killed);
    impl_->diffShared();
    impl_->rethrowCallbackFailure();
}

}  // namespace tj20::host
