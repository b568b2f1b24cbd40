#include "platform/qt/key_mapping.h"

#include <Qt>

namespace {
struct KeyPair {
  int qt;
  UINT vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    // "+" wherever it is typed (on the keypad too), and "=", which shares
    // its key on many layouts and gives "+" only with Shift.
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Minus, VK_OEM_MINUS},
};
}  // namespace

UINT VirtualKeyFromQt(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<UINT>(qtKey);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<UINT>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
  for (const KeyPair& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  return 0;
}

UINT ViewKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) return 0;
  return VirtualKeyFromQt(qtKey);
}

int QtKeyFromVirtualKey(UINT vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return static_cast<int>(vk);
  if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
  for (const KeyPair& k : kKeys)
    if (k.vk == vk) return k.qt;
  return 0;
}
