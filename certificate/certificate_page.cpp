// File > Print: the one-page certificate of a perfect game, drawn in the
// printer's own pixels so that it scales with the printer's resolution.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "platform/interface/print_info.h"
#include "platform/language/translation.h"
#include "screen/fitted_text.h"
#include "screen/text_style.h"

namespace {

// The rings of dots, from the centre of the frame outwards.
constexpr COLORREF kDotColours[8] = {
    RGB(0x80, 0x80, 0x80), RGB(0xFF, 0x80, 0x40), RGB(0x40, 0xFF, 0x80), RGB(0x80, 0x40, 0xFF),
    RGB(0x40, 0x80, 0xFF), RGB(0xFF, 0x40, 0x80), RGB(0x80, 0xFF, 0x40), RGB(0x80, 0x80, 0x80),
};
constexpr int kDotSpacing = 11;

// A poster-sized sheet at 1200 dpi is still smaller than this many pixels
// across.  A larger drawing rectangle is taken at this size and an inverted
// one as empty, so positions stay well inside int and the dot grid stays a
// size that can be drawn in reasonable time.
constexpr std::int64_t kLargestPageExtent = 1 << 16;

int PageExtent(int from, int to) {
  const std::int64_t extent = static_cast<std::int64_t>(to) - from;
  return static_cast<int>(std::clamp<std::int64_t>(extent, 0, kLargestPageExtent));
}

// Squares summed in 64 bits: on a large page the distances in pixels are big
// enough for the sum to overflow an int.
double Distance(int dx, int dy) {
  const std::int64_t sum = static_cast<std::int64_t>(dx) * dx + static_cast<std::int64_t>(dy) * dy;
  return std::sqrt(static_cast<double>(sum));
}

}  // namespace

void CMyKelvoView::OnUpdateFilePrint(CCmdUI* pCmdUI) {
  // The state does not matter: a finished perfect game stays printable until
  // the next game starts and clears the bonus total.
  pCmdUI->Enable(!thePlayerNameDlg.m_strPlayerName.empty() &&
                 m_nBonus[kTotalSlot] == kPerfectBonus);
}

void CMyKelvoView::OnFilePrint() { CView::OnFilePrint(); }

BOOL CMyKelvoView::OnPreparePrinting(CPrintInfo* pInfo) {
  pInfo->SetMaxPage(1);
  return DoPreparePrinting(pInfo);
}

void CMyKelvoView::OnBeginPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/) {}

void CMyKelvoView::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/) {}

void CMyKelvoView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  if (!pDC || !pInfo) return;
  pInfo->m_bContinuePrinting = TRUE;
  // Mid-game the page stays blank: the result is not known yet.
  if (m_nGameState != kStateIdle && m_nGameState != kStateGameOver) return;

  // Positions count from the device origin, the top-left corner of the
  // printable area; only the size of the drawing rectangle matters.
  const int W = PageExtent(pInfo->m_rectDraw.left, pInfo->m_rectDraw.right);
  const int H = PageExtent(pInfo->m_rectDraw.top, pInfo->m_rectDraw.bottom);
  const int w9 = (9 * W) / 10;
  const int L = (W - w9) / 2;
  const int R = L + w9;
  const int h9 = (9 * H) / 10;
  const int T = (3 * (H - h9)) / 4;
  const int u = h9 / 33;
  const int g = (3 * u) / 2;

  if (m_fontCertificate.GetSafeHandle()) m_fontCertificate.DeleteObject();
  CreateGameFont(m_fontCertificate, u, "Arial");
  CFont* pOldFont = pDC->SelectObject(&m_fontCertificate);

  const std::string& name = thePlayerNameDlg.m_strPlayerName;
  RECT box = {L, T + 8 * u, R, T + 9 * u};
  auto drawLine = [&](COLORREF colour, const std::string& text) {
    pDC->SetTextColor(colour);
    m_strCertificateLine = text;
    DrawFittedText(pDC, m_strCertificateLine, &box, kCentred);
  };
  auto nextLine = [&](int step, int height) {
    box.top += step;
    box.bottom = box.top + height;
  };

  // TRANSLATORS: the certificate of a perfect game reads, line by line,
  // "This is to certify that on" / "December 09, 2026 at 11:30:57 PM," /
  // the player's name / "played a perfect game of Kelvo," / "getting a
  // score of ..." / "for a grand total ..." / "the maximum ..." /
  // "Congratulations Ann!!!".  Each line is centred on its own.
  drawLine(RGB(0x00, 0xEB, 0x47), _("This is to certify that on "));
  nextLine(g, u);
  // TRANSLATORS: the certificate's date and time.
  drawLine(RGB(0x00, 0xEB, 0x65),
           FormattedText(_("%s at %s"), m_strPerfectDate.c_str(), m_strPerfectTime.c_str()));
  nextLine(g, 2 * u);
  m_fontCertificate.DeleteObject();
  CreateGameFont(m_fontCertificate, (8 * u) / 5, "Arial Bold");
  pDC->SelectObject(&m_fontCertificate);
  drawLine(RGB(0xFF, 0x00, 0x00), name);
  m_fontCertificate.DeleteObject();
  CreateGameFont(m_fontCertificate, u, "Arial");
  pDC->SelectObject(&m_fontCertificate);
  nextLine((5 * u) / 2, u);
  drawLine(RGB(0x00, 0xEB, 0x83), _("played a perfect game of Kelvo,"));
  nextLine(g, u);
  drawLine(RGB(0x00, 0xEB, 0xA1), _("getting a score of 1000 points plus 5110 bonus points"));
  nextLine(g, u);
  drawLine(RGB(0x00, 0xEB, 0xBF), _("for a grand total of 6110 points,"));
  nextLine(g, u);
  // TRANSLATORS: "attaintable" is the game's spelling of "attainable".
  drawLine(RGB(0x00, 0xEB, 0xDD), _("the maximum attaintable in a single game of ten rounds."));
  nextLine(g, u);
  // TRANSLATORS: %s is the player's name.
  drawLine(RGB(0x00, 0xEB, 0xFB), FormattedText(_("Congratulations %s!!!"), name.c_str()));
  pDC->SetTextColor(kBlack);

  const int fL = L - u;
  const int fT = T + 6 * u;
  const int fR = R + u;
  const int fB = box.bottom + 2 * u;
  CPen* pOldPen = pDC->SelectObject(&m_penCertificate);
  pDC->MoveTo(fL, fT);
  pDC->LineTo(fR, fT);
  pDC->LineTo(fR, fB);
  pDC->LineTo(fL, fB);
  pDC->LineTo(fL, fT);

  // The rings are a seventh of the centre-to-corner distance wide, so the
  // corners come out grey like the centre.  On a page too small for that
  // the ring width is still at least a pixel and the outer dots stay grey.
  const int cx = (fL + fR) / 2;
  const int cy = (fT + fB - 2) / 2;
  const double d0 = Distance(fL + 4 - cx, fT + 2 - cy);
  const int s = std::max(static_cast<int>(d0 * (1.0 / 7)), 1);
  for (int y = fT + 2; y < fB; y += kDotSpacing) {
    for (int x = fL + 4; x < fR; x += kDotSpacing) {
      const double d = Distance(x - cx, y - cy);
      const int index = std::min(static_cast<int>(d / s), 7);
      pDC->SetPixel(x, y, kDotColours[index]);
    }
  }

  pInfo->m_bContinuePrinting = FALSE;
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldFont);
  m_fontCertificate.DeleteObject();
}
