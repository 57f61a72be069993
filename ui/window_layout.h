#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "common/colour.h"

namespace tl {

enum class ControlKind { Label, TextBox, Button, Map };

enum class Alignment { Left, Right, Centre };

// How a control looks. A missing foreground is the system's window-text colour; a missing
// background is no fill of its own (a transparent label, a button in the system's face colour).
struct ControlLook {
    std::optional<Colour> foreground;
    std::optional<Colour> background;
    bool bold = false;
    Alignment alignment = Alignment::Left;
};

// One control of the main window; measures in twips from the client area's top left corner.
struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view text;
    int left;
    int top;
    int width;
    int height;
    ControlLook look;
};

// A one-pixel line drawn on the window's background.
struct LineSpec {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

struct MenuEntrySpec {
    std::string_view name;
    std::string_view caption;
    bool checked;
};

struct MenuSpec {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuEntrySpec> entries;
};

// The main window as designed: every control, line and menu, the focus order and the window's own
// measures. The window is built from these tables alone.
class WindowLayout {
public:
    static constexpr std::string_view caption = "Terralevel - Area16N";
    static constexpr int clientWidth = 4260;
    static constexpr int clientHeight = 11010;
    static constexpr Colour background = rgb(224, 224, 224);
    static constexpr Colour lineColour = rgb(0, 0, 128);
    static constexpr std::string_view fontFamily = "MS Sans Serif";
    static constexpr double fontPoints = 8.25;
    // The aircraft marker `planeCursor` inside the map.
    static constexpr int markerLeft = 1980;
    static constexpr int markerTop = 2070;
    static constexpr int markerWidth = 83;
    static constexpr int markerHeight = 60;
    static constexpr Colour markerColour = rgb(255, 0, 0);

    static std::span<const ControlSpec> controls();
    static std::span<const LineSpec> lines();
    static std::span<const MenuSpec> menus();
    // Names of the controls that take the keyboard focus, in tab order.
    static std::span<const std::string_view> focusOrder();

    // 15 twips to a pixel, rounded to the nearest pixel.
    static constexpr int pixels(int twips) { return (twips + (twips < 0 ? -7 : 7)) / 15; }
};

}  // namespace tl
