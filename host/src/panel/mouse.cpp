// Mouse dispatch. Points are relative to the gauge's background. A click calls the first
// area in table order whose box holds the point and whose flags take the event; tooltips and
// frame records are never hit, and a click that matches no area changes nothing.
#include "panel_impl.h"
#include "platform/os.h"

namespace tj20::host {

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
    os::enterModule(g.module.c_str(), "mouse callback");
    if (area.callback) area.callback(&point, eventFlag);
    os::leaveModule();
    current = nullptr;
    drainSounds();
    diffShared();
    rethrowCallbackFailure();
}

bool Panel::mouse(std::string_view gauge, int x, int y, MouseEvent event) {
    auto& g = impl_->require(gauge);
    const auto flag = flagOf(event);
    auto* area = impl_->hit(g, x, y, flag);
    if (!area) return false;
    impl_->act(g, *area, x, y, flag);
    return true;
}

// The area acts on the press; a repeat area acts once more at the start of each held cycle.
bool Panel::hold(std::string_view gauge, int x, int y, int cycles, const BeforeCycle& beforeCycle) {
    auto& g = impl_->require(gauge);
    auto* area = impl_->hit(g, x, y, abi::MouseLeftPress);
    if (area) impl_->act(g, *area, x, y, abi::MouseLeftPress);
    for (int i = 0; i < cycles; ++i) {
        if (beforeCycle && !beforeCycle(i)) break;
        if (area && (area->mouse_flags & abi::MouseRepeat)) impl_->act(g, *area, x, y, abi::MouseLeftPressRepeat);
        impl_->cycle(1.0);
    }
    return area != nullptr;
}

bool Panel::repeatPress(std::string_view gauge, int x, int y) {
    auto& g = impl_->require(gauge);
    auto* area = impl_->hit(g, x, y, abi::MouseLeftPress);
    if (!area || !(area->mouse_flags & abi::MouseRepeat)) return false;
    impl_->act(g, *area, x, y, abi::MouseLeftPressRepeat);
    return true;
}

Panel::PointerInfo Panel::pointerAt(std::string_view gauge, int x, int y) const {
    const LoadedGauge* g = impl_->find(gauge);
    PointerInfo info;
    if (!g || !g->header) return info;
    for (const abi::MouseRect* r = g->header->mouse_rect; r && r->rect_type != abi::MouseEndOfTable; ++r) {
        const bool inside =
            x >= r->box.x && x < r->box.x + r->box.width && y >= r->box.y && y < r->box.y + r->box.height;
        if (!inside) continue;
        if (r->rect_type == abi::MouseArea && !info.area) {
            info.area = true;
            info.flags = r->mouse_flags;
            info.cursor = r->cursor;
        } else if (r->rect_type == abi::MouseTooltip && info.tooltip.empty() && r->tooltip_text) {
            info.tooltip = r->tooltip_text;
        }
    }
    return info;
}

}  // namespace tj20::host
