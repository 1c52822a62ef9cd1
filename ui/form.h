// The window M3U8 as data, in twips, for every front end to build from.
#pragma once

#include <array>
#include <string_view>

namespace ui {

// The program's name, which titles its message boxes.
inline constexpr std::string_view ApplicationTitle = "M3U8";

inline constexpr int TwipsPerInch = 1440;  // 15 twips make one pixel at 96 dpi

// Twips to pixels at `dpi` pixels per logical inch, rounded down.
constexpr int TwipsToPixels(int twips, int dpi) { return twips * dpi / TwipsPerInch; }

enum class ControlKind { TextBox, CommandButton };

// A control's place in its window: in twips in the form, in pixels on the screen.
struct Rect {
  int left;
  int top;
  int width;
  int height;
};

constexpr Rect TwipsToPixels(const Rect& twips, int dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

struct Control {
  std::string_view name;
  ControlKind kind;
  Rect bounds;  // twips
  int tabIndex;
  std::string_view text;  // initial text, or the button's caption
};

struct Form {
  std::string_view name;
  std::string_view caption;
  int clientWidth;  // twips
  int clientHeight;
  std::array<Control, 2> controls;  // in tab order
};

inline constexpr Control Text1{"Text1", ControlKind::TextBox, {120, 120, 1095, 495}, 0, ""};
inline constexpr Control Command1{
    "Command1", ControlKind::CommandButton, {1320, 120, 855, 495}, 1, "Command1"};
inline constexpr Form M3U8{"M3U8", "M3U8", 2385, 840, {Text1, Command1}};

}  // namespace ui
