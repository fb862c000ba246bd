// Opens the module as the host does (loading runs none of its code: every record is
// constant-initialised) and copies what the artwork needs out of its records.
#include "geometry.h"

#include <dlfcn.h>

#include <memory>
#include <stdexcept>

#include "tj20/host_abi.h"

namespace tj20::art {

namespace {
struct Closer {
    void operator()(void* handle) const { dlclose(handle); }
};

GaugeElement copy(const abi::ElementHeader* e) {
    GaugeElement g;
    g.kind = static_cast<GaugeElement::Kind>(e->element_type);
    g.bitmap = e->resource_id;
    g.at = {e->position.x, e->position.y};
    g.pivot = {e->offset.x, e->offset.y};
    switch (e->element_type) {
        case abi::KindIcon:
            g.images = reinterpret_cast<const abi::ElementIcon*>(e)->icon.picture_count;
            break;
        case abi::KindNeedle: {
            const auto& n = reinterpret_cast<const abi::ElementNeedle*>(e)->needle;
            for (std::uint32_t i = 0; n.table && i < n.table_size; ++i)
                g.scale.push_back({{n.table[i].point.x, n.table[i].point.y}, n.table[i].value});
            g.period = e->needle_period;
            break;
        }
        case abi::KindText: {
            const auto& t = reinterpret_cast<const abi::ElementText*>(e)->text;
            g.box = {t.size.x, t.size.y};
            break;
        }
        case abi::KindSlider:
        case abi::KindMovingImage: {
            const auto& s = reinterpret_cast<const abi::ElementSlider*>(e)->slider;
            g.scaleX = s.x.scale;
            g.scaleY = s.y.scale;
            break;
        }
        default:
            break;
    }
    return g;
}
}  // namespace

Gauge readGauge(const std::filesystem::path& module) {
    std::unique_ptr<void, Closer> handle(dlopen(std::filesystem::absolute(module).c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) throw std::runtime_error(module.string() + ": cannot be opened: " + dlerror());
    const auto* linkage = static_cast<const abi::LinkageRecord*>(dlsym(handle.get(), "Linkage"));
    if (!linkage || linkage->module_id != abi::LinkageId || !linkage->gauge_table[0])
        throw std::runtime_error(module.string() + ": not a gauge module (no Linkage)");
    const abi::GaugeHeader* header = linkage->gauge_table[0];
    Gauge gauge;
    gauge.name = header->gauge_name ? header->gauge_name : "";
    const abi::ElementHeader* e = header->elements_list ? *header->elements_list : nullptr;
    for (int guard = 0; e && guard < 256; ++guard) {
        gauge.elements.push_back(copy(e));
        e = e->next_element ? e->next_element[0] : nullptr;
    }
    for (const abi::MouseRect* r = header->mouse_rect; r && r->rect_type != abi::MouseEndOfTable; ++r)
        if (r->rect_type == abi::MouseArea) gauge.areas.push_back({r->box.x, r->box.y, r->box.width, r->box.height});
    return gauge;
}

}  // namespace tj20::art
