#pragma once

#include "platform/Control.h"
#include "platform/Geometry.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bc {

// Every colour the toolkit itself chooses; the interface description chooses the rest.
namespace palette {
// A light sky blue: dark titles stay readable on it and it looks tappable.
inline constexpr Color kDefaultButton{125, 195, 245, 255};
inline constexpr Color kDisabledGrey{205, 205, 210, 255};
inline constexpr Color kDisabledEdge{150, 150, 158, 255};
inline constexpr Color kDisabledTitle{90, 90, 100, 255};
inline constexpr Color kSwitchOn{52, 180, 89, 255};
inline constexpr Color kSwitchOff{196, 196, 204, 255};
inline constexpr Color kSwitchOffRing{110, 110, 120, 255};
inline constexpr Color kKnobShadow{0, 0, 0, 40};
inline constexpr Color kKnobPressed{232, 232, 236, 255};
inline constexpr Color kStepperFill{236, 244, 252, 255};
inline constexpr Color kWhite{255, 255, 255, 255};
inline constexpr Color kClear{0, 0, 0, 0};
inline constexpr Color kTint{0, 105, 215, 255};
inline constexpr Color kBarFill{248, 248, 251, 245};
inline constexpr Color kHairline{178, 178, 190, 255};
inline constexpr Color kBarTitle{30, 30, 40, 255};
inline constexpr Color kRingOuter{12, 28, 96, 255};
inline constexpr Color kRingInner{255, 255, 255, 255};
// Around the canvas when the window's shape differs from it.
inline constexpr Color kSurround{214, 218, 224, 255};
} // namespace palette

Color darker(Color c, float amount);
Color mix(Color a, Color b, float t);
Color withAlpha(Color c, std::uint8_t alpha);

// A rounded shape in points, placed relative to its control's top left corner.
struct Box {
    std::string role;
    Rect rect;
    Color fill = palette::kClear;
    Color pressed = palette::kClear; // the fill while a finger is on the control
    float radius = 0;
    Color edge = palette::kClear;
    float edgeWidth = 0;
};

struct TextLook {
    Rect area;
    float size = 17;
    bool bold = false;
    Color color;
    TextAlign align = TextAlign::Left;
};

// How one control is drawn, in the window and in the browser alike: its own
// shape, then its parts in order, then its picture and its text on top.
struct Look {
    Box body;
    std::vector<Box> parts;
    std::optional<Rect> picture; // a button's icon or an image's picture
    bool cover = false;          // the picture fills its area, cropped, instead of showing whole
    std::optional<TextLook> text;
    std::uint8_t contentAlpha = 255; // for picture and text
    float focusRadius = 0;
};

// A full-width picture at least half the canvas tall reaches every edge.
bool isBackdrop(const Rect& canvasFrame);

Look lookOf(const Control& control);

// What the page is sent to place a control: the look in points and CSS colours.
nlohmann::ordered_json lookJson(const Look& look);
std::string cssColor(Color c);
// [x, y, w, h] in points, to a thousandth.
nlohmann::ordered_json rectJson(const Rect& r);

// The navigation bar's colours, for the page; the window draws the same.
nlohmann::ordered_json barLookJson();

} // namespace bc
