#include "artwork.h"

#include <algorithm>
#include <map>
#include <set>

#include "kinds.h"

namespace tj20::art {

std::string describe(const GaugeElement& e) {
    static const char* const names[] = {"a static image", "a needle",       "a text",  "a slider",
                                        "an icon",        "a moving image", "a sprite"};
    const char* name = e.kind <= host::ElementState::Sprite ? names[e.kind] : "an element";
    return std::string(name) + " at " + std::to_string(e.at.x) + "," + std::to_string(e.at.y);
}

const Piece* Artwork::piece(std::uint32_t id) const {
    for (const auto& p : pieces)
        if (p.id() == id) return &p;
    return nullptr;
}

namespace {

std::string hex(std::uint32_t id) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%x", id);
    return buf;
}

std::string closestKind(const std::string& word) {
    std::string best;
    std::size_t bestScore = 0;
    for (const auto& k : kindNames()) {
        std::size_t common = 0;
        while (common < k.size() && common < word.size() && k[common] == word[common]) ++common;
        if (common > bestScore) bestScore = common, best = k;
    }
    return bestScore >= 2 ? " (did you mean " + best + "?)" : "";
}

void explicitSize(Piece& p) {
    const auto size = p.d->head.option("size");
    if (!size) return;
    const XY wh = parsePair(p.d->head, *size, 'x');
    if (wh.x < 1 || wh.y < 1 || wh.x > 4096 || wh.y > 4096)
        p.d->head.fail("a bitmap's size must lie between 1x1 and 4096x4096");
    p.width = static_cast<int>(wh.x);
    p.height = static_cast<int>(wh.y);
}

void depthOf(Piece& p, const Kind& kind) {
    p.depth = static_cast<int>(p.d->head.number("depth", kind.depth));
    if (p.depth != 8 && p.depth != 24 && p.depth != 32) p.d->head.fail("a colour depth is 8, 24 or 32 bits");
}

// The states an icon's bitmap carries: all but those the description leaves out.
void statesOf(Piece& p, const Kind& kind) {
    p.states = 1;
    for (const auto* e : p.uses)
        if (e->kind == host::ElementState::Icon) p.states = std::max(p.states, static_cast<int>(e->images));
    for (const auto* e : p.uses)
        if (e->kind == host::ElementState::Icon && static_cast<int>(e->images) != p.states)
            p.d->head.fail("bitmap " + hex(p.id()) + " is drawn by icons of different image counts");
    p.present.assign(p.states, true);
    if (kind.stateZeroAbsent && p.states > 1) p.present[0] = false;
    if (const auto absent = p.d->head.option("absent")) {
        std::size_t start = 0;
        while (start <= absent->size()) {
            const auto comma = absent->find(',', start);
            const std::string one =
                absent->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            const int s = static_cast<int>(parseNumber(p.d->head, one));
            if (s < 0 || s >= p.states)
                p.d->head.fail("state " + one + " is not one of the icon's " + std::to_string(p.states));
            p.present[s] = false;
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    if (std::none_of(p.present.begin(), p.present.end(), [](bool b) { return b; }))
        p.d->head.fail("every state of bitmap " + hex(p.id()) + " is left out");
}

// Extent of an element on the gauge, for the background's default size.
void extend(const GaugeElement& e, const Artwork& art, int& right, int& bottom) {
    auto cover = [&](double x, double y) {
        right = std::max(right, static_cast<int>(x + 0.999));
        bottom = std::max(bottom, static_cast<int>(y + 0.999));
    };
    if (e.kind == host::ElementState::Text) return cover(e.at.x + e.box.x, e.at.y + e.box.y);
    for (const auto& m : e.scale) cover(m.point.x + 1, m.point.y + 1);
    const Piece* p = art.piece(e.bitmap);
    if (!p || p == &art.root()) return;
    if (e.kind == host::ElementState::Needle || e.kind == host::ElementState::Sprite) return cover(e.at.x + 1, e.at.y + 1);
    if (e.kind == host::ElementState::MovingImage) {
        // The window, not the strip, lies on the gauge.
        if (const Piece* window = art.piece(e.bitmap + 1))
            return cover(e.at.x + window->width, e.at.y + window->height);
        return cover(e.at.x + 1, e.at.y + 1);
    }
    if (p->kind == "overlay" || p->kind == "cover") return;
    cover(e.at.x + p->width, e.at.y + p->height);
}

}  // namespace

Artwork resolve(Gauge gauge, std::vector<Description> descriptions, const std::string& artFile) {
    Artwork art;
    art.module = gauge.name;
    art.gauge = std::move(gauge);
    art.descriptions = std::move(descriptions);
    if (art.descriptions.empty()) throw ArtError(artFile + ": the description names no bitmap");

    std::set<std::uint32_t> seen;
    for (const auto& d : art.descriptions) {
        if (!seen.insert(d.id).second) d.head.fail("bitmap " + hex(d.id) + " is described twice");
        const Kind* kind = findKind(d.head.verb);
        if (!kind) d.head.fail("unknown kind '" + d.head.verb + "'" + closestKind(d.head.verb));
        Piece p;
        p.d = &d;
        p.kind = d.head.verb;
        art.pieces.push_back(p);
    }
    // Every element's bitmap is described, by a kind that such an element can draw.
    for (const auto& e : art.gauge.elements) {
        if (e.kind == host::ElementState::Text) continue;
        auto it =
            std::find_if(art.pieces.begin(), art.pieces.end(), [&](const Piece& p) { return p.id() == e.bitmap; });
        if (it == art.pieces.end())
            throw ArtError(artFile + ": " + describe(e) + " draws bitmap " + hex(e.bitmap) +
                           ", which the description does not name");
        const Kind& kind = *findKind(it->kind);
        if (std::find(kind.drawnBy.begin(), kind.drawnBy.end(), e.kind) == kind.drawnBy.end())
            it->d->head.fail("bitmap " + hex(e.bitmap) + " is drawn by " + describe(e) + ", which cannot show a " +
                             it->kind);
        it->uses.push_back(&e);
    }
    const auto& rootElement = art.gauge.elements.front();
    for (std::size_t i = 0; i < art.pieces.size(); ++i) {
        auto& p = art.pieces[i];
        if (p.uses.empty() && p.kind != "window")
            p.d->head.fail("bitmap " + hex(p.id()) + " is drawn by no element of " + art.module);
        if (!p.uses.empty() && p.uses.front() == &rootElement) art.background = i;
    }
    // A moving image shows its strip through a window: the bitmap after the strip's.
    for (const auto& e : art.gauge.elements)
        if (e.kind == host::ElementState::MovingImage && !art.piece(e.bitmap + 1))
            throw ArtError(artFile + ": " + describe(e) + " needs a window, bitmap " + hex(e.bitmap + 1) +
                           " ('window " + hex(e.bitmap + 1) + " size=WxH')");
    // Icon states must not run into another bitmap's identifier.
    for (auto& p : art.pieces) {
        const Kind& kind = *findKind(p.kind);
        statesOf(p, kind);
        depthOf(p, kind);
        for (int s = 1; s < p.states; ++s)
            if (const Piece* other = art.piece(p.id() + s))
                p.d->head.fail("state " + std::to_string(s) + " of bitmap " + hex(p.id()) + " would take identifier " +
                               hex(other->id()) + ", which line " + std::to_string(other->d->head.place.line) +
                               " describes");
        if (kind.check) kind.check(p);
    }
    // Sizes: given ones first, then each kind's default; the background last, as it covers the rest.
    for (auto& p : art.pieces) explicitSize(p);
    for (std::size_t i = 0; i < art.pieces.size(); ++i) {
        auto& p = art.pieces[i];
        if (p.width || i == art.background) continue;
        const Kind& kind = *findKind(p.kind);
        if (kind.size && p.kind != "overlay" && p.kind != "cover") kind.size(p, art);
    }
    auto& root = art.pieces[art.background];
    if (!root.width) {
        int right = 1, bottom = 1;
        for (const auto& e : art.gauge.elements) extend(e, art, right, bottom);
        for (const auto& a : art.gauge.areas) right = std::max(right, a.right()), bottom = std::max(bottom, a.bottom());
        root.width = right;
        root.height = bottom;
    }
    // Covers and lettering overlays lie over the whole face unless sized otherwise.
    for (auto& p : art.pieces)
        if (!p.width) {
            const Kind& kind = *findKind(p.kind);
            if (kind.size) kind.size(p, art);
            if (!p.width) p.width = root.width, p.height = root.height;
        }
    return art;
}

}  // namespace tj20::art
