#include "screen/fitted_text.h"

#include <algorithm>
#include <cmath>

#include "platform/language/translation.h"

namespace {

bool Wrapped(UINT format) { return (format & DT_WORDBREAK) && !(format & DT_SINGLELINE); }

// What a text may take of its box: a line its width, wrapped lines its height.
int Room(const RECT& box, UINT format) {
  return Wrapped(format) ? box.bottom - box.top : box.right - box.left;
}

// What it takes in the font selected in pDC.
int Need(CDC* pDC, std::string_view text, const RECT& box, UINT format) {
  if (!Wrapped(format)) return pDC->GetTextExtent(text).cx;
  RECT measured = box;
  return pDC->DrawText(text, -1, &measured, format | DT_CALCRECT);
}

}  // namespace

int DrawFittedText(CDC* pDC, std::string_view text, RECT* box, UINT format) {
  CFont* given = pDC->SurfaceState().font;
  const int room = Room(*box, format);
  // Only a font of a given cell height has a smaller one, and an empty box
  // shows nothing at any size.
  if (TranslationLanguage().empty() || !given || !given->GetSafeHandle() ||
      given->logFont().lfHeight <= 1 || room <= 0)
    return pDC->DrawText(text, -1, box, format);
  const int need = Need(pDC, text, *box, format);
  if (need <= room) return pDC->DrawText(text, -1, box, format);

  const int specified = given->logFont().lfHeight;
  const int lowest = std::max(specified / 2, 1);
  CFont smaller;
  int selected = 0;
  const auto fitsAt = [&](int height) {
    LOGFONT lf = given->logFont();
    lf.lfHeight = selected = height;
    smaller.CreateFontIndirect(&lf);
    pDC->SelectObject(&smaller);
    return Need(pDC, text, *box, format) <= room;
  };
  // A line's width grows about as its height, wrapped lines' height about as
  // its square: a first guess, then the steps to the largest that fits.
  const double ratio = static_cast<double>(room) / need;
  int height = static_cast<int>(specified * (Wrapped(format) ? std::sqrt(ratio) : ratio));
  height = std::clamp(height, lowest, specified - 1);
  while (!fitsAt(height) && height > lowest) --height;
  while (height + 1 < specified && fitsAt(height + 1)) ++height;
  if (selected != height) fitsAt(height);
  const int drawn = pDC->DrawText(text, -1, box, format);
  pDC->SelectObject(given);
  return drawn;
}
