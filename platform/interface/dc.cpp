#include "platform/interface/dc.h"

std::string_view LeadingCharacters(std::string_view text, int count) {
  if (count < 0) return text;
  std::size_t pos = 0;
  int taken = 0;
  while (pos < text.size()) {
    // A character starts at every byte that is not a UTF-8 continuation.
    if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
      if (taken == count) break;
      ++taken;
    }
    ++pos;
  }
  return text.substr(0, pos);
}
