// A dialog described as data, the way the program's resources describe the
// About box and the name box: caption, size and controls in dialog units.
#pragma once

#include <string>
#include <vector>

#include "platform/interface/win_types.h"

enum class ControlKind { Static, Icon, Edit, PushButton };

// Style bits of the controls that the game's dialogs use.
constexpr UINT CS_DEFAULT_BUTTON = 0x1;  // the default push button
constexpr UINT CS_WORD_WRAP = 0x2;       // static text broken into lines
constexpr UINT CS_NO_PREFIX = 0x4;       // '&' shown as it is
constexpr UINT CS_BORDER = 0x8;          // edit field with a border
constexpr UINT CS_AUTO_HSCROLL = 0x10;   // edit field scrolls as text grows
constexpr UINT CS_TAB_STOP = 0x20;
constexpr UINT CS_GROUP = 0x40;

struct DialogControl {
  ControlKind kind;
  int id;
  int x, y, cx, cy;  // dialog units
  std::string text;  // for an icon: the icon resource id as text
  UINT style = 0;
};

struct DialogTemplate {
  UINT id = 0;
  std::string caption;
  int cx = 0, cy = 0;  // dialog units
  std::string fontFace;
  int pointSize = 8;
  bool systemMenu = false;              // false: no close box in the caption
  std::vector<DialogControl> controls;  // in tab order
};
