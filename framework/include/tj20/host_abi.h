// Records shared with the simulator's panel system. Field order is the host's;
// on 32-bit Windows the records have the host's exact sizes (4-byte packing),
// on 64-bit builds the same order with native pointers and alignment.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define TJ20_CALL __stdcall
#define TJ20_ABI32 1
#else
#define TJ20_CALL
#define TJ20_ABI32 0
#endif

#if defined(_WIN32)
#define TJ20_EXPORT __declspec(dllexport)
#else
#define TJ20_EXPORT __attribute__((visibility("default")))
#endif

namespace tj20::abi {

using u32 = std::uint32_t;
using i32 = std::int32_t;

// Service codes of the gauge cycle.
inline constexpr i32 ServiceInstall = 2;
inline constexpr i32 ServiceInitialise = 4;
inline constexpr i32 ServiceUpdate = 6;
inline constexpr i32 ServiceDraw = 10;
inline constexpr i32 ServiceKill = 12;

inline constexpr u32 ImportTableId = 0x0F;
inline constexpr u32 LinkageId = 0x13;
inline constexpr u32 LinkVersion = 0x800;
inline constexpr u32 GaugeHeaderVersion = 0x320;
inline constexpr u32 GaugeDefaultWidth = 100;
inline constexpr u32 SharedVarType = 19;  // one 32-bit unsigned cell

#if TJ20_ABI32
#pragma pack(push, 4)
#endif

// A simulator value: a 64-bit float, or packed decimal digits in the first four bytes.
union VarValue {
    double n;
    u32 d;
    std::uint64_t bits;
};

struct MODULE_VAR {
    u32 id;         // simulator variable identifier; 0 for placeholders and shared-variable bindings
    void* var_ptr;  // filled by the host: storage of a bound shared variable
    u32 var_type;   // filled by the host
    VarValue var_value;
    VarValue var_old;
};

struct HostFunctions {
    void(TJ20_CALL* trigger_key_event)(u32 event_id, u32 value);
    void(TJ20_CALL* register_var_by_name)(void* storage, u32 type, const char* name);
    void(TJ20_CALL* initialize_var_by_name)(MODULE_VAR* record, const char* name);
    void(TJ20_CALL* lookup_var)(MODULE_VAR* record);
    void(TJ20_CALL* unregister_var_by_name)(const char* name);
};

struct ImportTableRecord {
    u32 id;                    // ImportTableId
    HostFunctions* functions;  // filled by the host before the first callback
    u32 reserved1;
    u32 reserved2;
};

struct PixPoint {
    i32 x;
    i32 y;
};

struct PixBox {
    i32 x;
    i32 y;
    i32 width;
    i32 height;
};

struct GaugeHeader;
struct ElementHeader;

using ServiceCallback = void(TJ20_CALL*)(GaugeHeader* gauge, i32 service, u32 extra);
using ElementCallback = double(TJ20_CALL*)(ElementHeader* element);
using MouseCallback = u32(TJ20_CALL*)(PixPoint* relative_point, u32 mouse_flags);

// Element kinds.
inline constexpr u32 KindStaticImage = 0;
inline constexpr u32 KindNeedle = 1;
inline constexpr u32 KindText = 2;
inline constexpr u32 KindSlider = 3;
inline constexpr u32 KindIcon = 4;
inline constexpr u32 KindMovingImage = 5;
inline constexpr u32 KindSprite = 6;

// Bitmap resource 256: every gauge's background, drawn at (0, 0); its size is the gauge's.
inline constexpr u32 BackgroundBitmap = 0x100;

// Image flag bits the gauges change; every other bit belongs to the host.
inline constexpr u32 ImageHidden = 0x40000000;
inline constexpr u32 ImageLit = 0x4;
inline constexpr u32 ImageFlagsInitial = 0x4083;
inline constexpr u32 TextFlagsInitial = 0x83;
inline constexpr u32 IconSwitchMode = 3;
inline constexpr u32 TextCharSet = 1;
inline constexpr u32 TextDrawFlags = 0x4240;

struct FailureRecord {
    u32 failure_key;  // 0 ends the list
    u32 action;
};

struct ElementHeader {
    u32 element_type;
    u32 resource_id;  // bitmap identifier; 0xFFFFFFFF for text
    PixPoint position;
    PixPoint previous_position;  // host-owned
    PixPoint offset;             // pivot: the point of the bitmap that lies on the position
    GaugeHeader* gauge_header;
    ElementHeader* previous_element;
    ElementHeader** next_element;  // one-entry list ended by a null pointer
    FailureRecord* failure_systems;
    u32 image_flags;
    u32 reserved1;
    // Needles on a full-circle dial: the value of one full turn (360 for a compass card, 1000
    // for a 1000-ft pointer), so that the needle passes from its table's last entry back to the
    // first; 0 (the simulator's reserved word) on every other element.
    u32 needle_period;
#if !TJ20_ABI32
    u32 reserved3;  // keeps the kind-specific fields 8-aligned on 64-bit builds
#endif
};

struct NeedleEntry {
    PixPoint point;  // where the needle points at this value
    double value;
    double angle;  // filled by the host
};

struct NeedleFields {
    MODULE_VAR source_var;
    ElementCallback update_cb;
    NeedleEntry* table;
    u32 table_size;
};

struct TextFields {
    MODULE_VAR source_var[3];
    ElementCallback update_cb;
    PixPoint size;  // text box width and height
    u32 fg_color;   // 0x00BBGGRR
    u32 bg_color;
    u32 hilite_color;
    const char* font_name;
    u32 font_weight;
    u32 char_set;
    u32 draw_flags;
    u32 max_string_length;  // host-owned: capacity of string, terminator included
    char* string;           // host-owned text buffer
};

struct AxisFields {
    MODULE_VAR source_var;
    double scale;
    ElementCallback update_cb;
};

struct SliderFields {
    AxisFields x;
    AxisFields y;
};

struct IconFields {
    MODULE_VAR source_var;
    ElementCallback update_cb;
    u32 switch_mode;
    u32 picture_count;
};

struct SpriteFields {
    AxisFields x;
    AxisFields y;
    AxisFields angle;
};

// The kind-specific records as the host reads them.
struct ElementNeedle {
    ElementHeader header;
    NeedleFields needle;
};
struct ElementText {
    ElementHeader header;
    TextFields text;
};
struct ElementSlider {
    ElementHeader header;
    SliderFields slider;
};
struct ElementIcon {
    ElementHeader header;
    IconFields icon;
};
struct ElementMovingImage {
    ElementHeader header;
    SliderFields moving;
};
struct ElementSprite {
    ElementHeader header;
    SpriteFields sprite;
};

// Mouse-area record kinds, cursors and event flags.
inline constexpr u32 MouseEndOfTable = 0;
inline constexpr u32 MouseListStart = 1;
inline constexpr u32 MouseArea = 2;
inline constexpr u32 MouseListEnd = 3;
inline constexpr u32 MouseTooltip = 4;

inline constexpr i32 CursorNone = -1;
inline constexpr i32 CursorUpArrow = 1;
inline constexpr i32 CursorDownArrow = 2;
inline constexpr i32 CursorHand = 5;

inline constexpr u32 MouseLeftPress = 0x20000000;
inline constexpr u32 MouseRepeat = 0x00200000;
inline constexpr u32 MouseLeftPressRepeat = MouseLeftPress | MouseRepeat;
inline constexpr u32 MouseLeftDrag = 0x00800000;
inline constexpr u32 MouseRightPress = 0x80000000;

struct MouseRect {
    u32 rect_type;
    PixBox box;
    i32 cursor;
    u32 help_id;
    u32 mouse_flags;
    u32 event_id;
    union {
        MouseCallback callback;
        const char* tooltip_text;
    };
    const void* api_data;  // a tooltip's (empty) argument list
};

struct GaugeHeader {
    u32 gauge_header_version;
    const char* gauge_name;
    ElementHeader** elements_list;  // slot holding the root element
    void* query_routine;
    void* install_routine;
    void* initialize_routine;
    void* update_routine;
    void* generate_routine;
    void* draw_routine;
    void* kill_routine;
    void* reserved1;
    u32 size_x;  // GaugeDefaultWidth
    u32 size_y;
    float x_adjust;
    float y_adjust;
    void* user_data;
    void* parameters;
    void* usage;
    void* reserved2;
    MouseRect* mouse_rect;
    ServiceCallback gauge_callback;
    u32 user_area[4];
    u32 flags;
    void* reserved3;
};

struct LinkageRecord {
    u32 module_id;  // LinkageId
    void(TJ20_CALL* module_init)();
    void(TJ20_CALL* module_deinit)();
    u32 module_flags;
    u32 module_status;
    u32 module_version;           // LinkVersion
    GaugeHeader* gauge_table[2];  // the module's gauge, then null
};

#if TJ20_ABI32
#pragma pack(pop)
static_assert(sizeof(MODULE_VAR) == 28);
static_assert(sizeof(ImportTableRecord) == 16);
static_assert(sizeof(NeedleEntry) == 24);
static_assert(sizeof(MouseRect) == 44);
static_assert(sizeof(ElementHeader) == 60);
static_assert(sizeof(LinkageRecord) == 32);
static_assert(offsetof(MODULE_VAR, var_value) == 12);
#endif
static_assert(sizeof(ElementHeader) % 8 == 0 || TJ20_ABI32, "kind fields must stay 8-aligned");

}  // namespace tj20::abi
