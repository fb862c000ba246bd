// The panel's bitmaps as a simulator would find them: every element of every module of the
// default panel draws a bitmap the module carries, under its identifier, at the size, colour
// depth and image count the element needs; and a malformed resource directory is refused with
// a message naming the module and the problem.
#include "tj20host/resources.h"

#include <cstring>
#include <map>
#include <set>

#include "panel_test.h"
#include "tj20host/config.h"
#include "tj20host/module_file.h"

namespace tj20::test {
namespace {

using host::BitmapInfo;
using host::ElementState;

std::map<std::uint32_t, BitmapInfo> bitmapsOf(const std::string& module) {
    std::map<std::uint32_t, BitmapInfo> out;
    for (const auto& b : host::readModuleFile(panelDir() / (module + ".gau")).bitmaps) out[b.id] = b;
    return out;
}

// A full-face icon of two images (a lettering overlay, a glass over the face) may carry only
// one of them: an overlay shows nothing while the panel lighting is off, and a glass that
// always shows its first image has no use for its second. Every other image must be there.
bool mayBeAbsent(const ElementState& e, const std::map<std::uint32_t, BitmapInfo>& bitmaps,
                 const BitmapInfo& background) {
    if (e.images != 2 || e.x != 0 || e.y != 0) return false;
    for (std::uint32_t s = 0; s < 2; ++s)
        if (const auto b = bitmaps.find(e.bitmap + s); b != bitmaps.end())
            return b->second.width == background.width && b->second.height == background.height;
    return false;
}

class DefaultPanel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        config = host::PanelConfig::read(TJ20_DEFAULT_PANEL);
        panel = host::Panel::load(config, {panelDir()}).release();
        panel->run(1);
    }
    static void TearDownTestSuite() {
        delete panel;
        panel = nullptr;
    }
    static inline host::PanelConfig config;
    static inline host::Panel* panel = nullptr;
};

TEST_F(DefaultPanel, EveryElementDrawsABitmapItsModuleCarries) {
    int modules = 0, checked = 0;
    for (const auto& module : panel->gauges()) {
        ++modules;
        const auto bitmaps = bitmapsOf(module);
        ASSERT_FALSE(bitmaps.empty()) << module << " carries no bitmaps";
        const auto elements = panel->elements(module);
        const auto root = bitmaps.find(elements.front().bitmap);
        ASSERT_NE(root, bitmaps.end()) << module << ": no background bitmap " << elements.front().bitmap;
        std::set<std::uint32_t> used;
        for (const auto& e : elements) {
            const std::string where = module + ": " + describe(e.kind) + " at " + std::to_string(e.x) + "," +
                                      std::to_string(e.y) + ", bitmap " + std::to_string(e.bitmap);
            if (e.kind == ElementState::Text) continue;
            std::vector<std::uint32_t> needed{e.bitmap};
            if (e.kind == ElementState::MovingImage) needed.push_back(e.bitmap + 1);  // its window
            if (e.kind == ElementState::Icon) {
                needed.clear();
                for (std::uint32_t s = 0; s < e.images; ++s)
                    if (!mayBeAbsent(e, bitmaps, root->second) || bitmaps.count(e.bitmap + s))
                        needed.push_back(e.bitmap + s);
            }
            for (const auto id : needed) {
                const auto b = bitmaps.find(id);
                ++checked;
                if (b == bitmaps.end()) {
                    ADD_FAILURE() << where << ": the module carries no bitmap " << id;
                    continue;
                }
                used.insert(id);
                EXPECT_TRUE(b->second.depth == 8 || b->second.depth == 24 || b->second.depth == 32) << where;
                EXPECT_GT(b->second.width * b->second.height, 0u) << where;
            }
            // The host reports each element at its bitmap's size.
            if (const auto b = bitmaps.find(e.bitmap); b != bitmaps.end()) {
                EXPECT_EQ(e.width, static_cast<int>(b->second.width)) << where;
                EXPECT_EQ(e.height, static_cast<int>(b->second.height)) << where;
            }
            // What lies on the face without moving lies within the background.
            if (e.kind == ElementState::Icon || e.kind == ElementState::StaticImage) {
                EXPECT_LE(e.x + e.width, static_cast<int>(root->second.width) + 1) << where;
                EXPECT_LE(e.y + e.height, static_cast<int>(root->second.height) + 1) << where;
            }
        }
        for (const auto& [id, b] : bitmaps)
            EXPECT_TRUE(used.count(id)) << module << " carries bitmap " << id << ", which no element draws";
    }
    EXPECT_EQ(modules, 84);
    EXPECT_GT(checked, 900) << "the panel's elements need over 900 bitmaps";
}

TEST_F(DefaultPanel, EveryBitmapDecodesToItsSize) {
    for (const auto& module : panel->gauges()) {
        const auto file = host::readModuleFile(panelDir() / (module + ".gau"));
        for (const auto& b : file.bitmaps) {
            const auto pixels = host::decodeBitmap(file.resources, b, module);
            EXPECT_EQ(pixels.width, static_cast<int>(b.width)) << module << " " << b.id;
            EXPECT_EQ(pixels.argb.size(), std::size_t{b.width} * b.height) << module << " " << b.id;
        }
    }
}

// Sizes the aircraft's description fixes.
TEST(Resources, BitmapsHaveTheSizesTheInstrumentsRequire) {
    struct Case {
        const char* module;
        std::uint32_t id;
        std::uint32_t width, height;
    };
    for (const Case c :
         {Case{"rl_tj20_icon_ovhd_open", 0x100, 19, 19}, Case{"rl_tj20_icon_hyd_open", 0x100, 30, 19},
          Case{"rl_tj20_icon_pedestal_close", 0x100, 19, 19}, Case{"rl_tj20_engine1_n1", 0x100, 302, 302},
          Case{"rl_tj20_engine2_oilpress", 0x100, 302, 302}, Case{"rl_tj20_annunpnl", 0x1100, 70, 22},
          Case{"rl_tj20_annunpnl", 0x3900, 70, 22}, Case{"rl_tj20_main_goaround_sw", 0x100, 30, 31},
          Case{"rl_tj20_main_dfgs_hdghld", 0x100, 12, 46}}) {
        const auto bitmaps = bitmapsOf(c.module);
        const auto b = bitmaps.find(c.id);
        ASSERT_NE(b, bitmaps.end()) << c.module << " " << c.id;
        EXPECT_EQ(b->second.width, c.width) << c.module << " " << c.id;
        EXPECT_EQ(b->second.height, c.height) << c.module << " " << c.id;
    }
}

// A directory as the modules carry it: one BITMAP of 2 by 1 pixels at 24 bits.
std::vector<char> oneBitmap() {
    std::vector<char> s(16 + 8 + 16 + 8 + 16 + 8 + 16 + 48, 0);
    auto put = [&](std::size_t at, std::uint32_t v) { std::memcpy(s.data() + at, &v, 4); };
    auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(s.data() + at, &v, 2); };
    put16(14, 1);
    put(16, 2), put(20, 0x80000000 | 24);  // type BITMAP
    put16(24 + 14, 1);
    put(40, 0x100), put(44, 0x80000000 | 48);  // identifier 256
    put16(48 + 14, 1);
    put(64, 0x409), put(68, 72);  // language, data entry
    put(72, 88), put(76, 48);     // data at 88, 48 bytes
    put(88, 40), put(92, 2), put(96, 1), put16(100, 1), put16(102, 24);
    s[128] = 0x10, s[129] = 0x20, s[130] = 0x30;  // first pixel: blue, green, red
    return s;
}

TEST(Resources, ADirectoryListsItsBitmapsAndDecodesThem) {
    host::ResourceSection section{oneBitmap(), 0};
    const auto list = host::listBitmaps(section, "m.gau");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].id, 0x100u);
    EXPECT_EQ(list[0].width, 2u);
    EXPECT_EQ(list[0].height, 1u);
    EXPECT_EQ(list[0].depth, 24u);
    const auto pixels = host::decodeBitmap(section, list[0], "m.gau");
    EXPECT_EQ(pixels.argb[0], 0xff302010u);
    EXPECT_EQ(pixels.argb[1], 0u) << "pure black is the transparent colour";
}

TEST(Resources, AMalformedDirectoryIsRefusedNamingTheModule) {
    struct Case {
        const char* problem;
        void (*spoil)(std::vector<char>&);
        const char* message;
    };
    for (const Case c : {
             Case{"truncated", [](std::vector<char>& s) { s.resize(30); }, "truncated"},
             Case{"data outside", [](std::vector<char>& s) { s[76] = 0x7f; }, "outside the resource section"},
             Case{"no bitmap header", [](std::vector<char>& s) { s[88] = 12; }, "no bitmap header"},
             Case{"4-bit bitmap", [](std::vector<char>& s) { s[102] = 4; }, "8-, 24- or 32-bit"},
             Case{"entry leads to data", [](std::vector<char>& s) { s[23] = 0; }, "leads to data"},
         }) {
        auto bytes = oneBitmap();
        c.spoil(bytes);
        try {
            host::listBitmaps({bytes, 0}, "rl_tj20_x.gau");
            ADD_FAILURE() << c.problem << ": accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("rl_tj20_x.gau"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.problem << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace tj20::test
