#include "screen/number_boxes.h"

#include <cstdio>

#include "screen/text_style.h"

void DrawNumbersInBoxes(CDC* pDC, const int values[8], RECT boxes[8], COLORREF color,
                        BOOL bClearFirst, char* buffer, std::size_t bufferSize) {
  pDC->SetTextColor(color);
  for (int k = 0; k < 8; ++k) {
    if (bClearFirst) pDC->FillRect(&boxes[k], nullptr);
    std::snprintf(buffer, bufferSize, "%1.1i", values[k]);
    pDC->DrawText(buffer, -1, &boxes[k], kCentred);
  }
}
