// The text formats and the black every drawing routine of the game uses:
// single-line texts centred, left- or right-aligned and centred vertically
// in their boxes, and black as the colour each routine returns to.
#pragma once

#include "platform/interface/win_types.h"

constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kLeftAligned = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kRightAligned = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
constexpr COLORREF kBlack = RGB(0x00, 0x00, 0x00);
