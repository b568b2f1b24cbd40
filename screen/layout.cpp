// The layout pass: every box of the screen from the client size, all scaled
// by one unit taken from the height, and the four screen fonts at that size.
#include <algorithm>

#include "game/MyKelvoView.h"

namespace {

// Far beyond any real window, small enough that no formula below (at most
// about 40 units of 1/59 of the height added together) can overflow an int,
// whatever a window system or a test hands us.
constexpr int kMaxClientExtent = 32767;

RECT Grown(const RECT& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

RECT Moved(const RECT& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

void CMyKelvoView::ComputeLayout(const RECT& client) {
  const int W = std::clamp(client.right, 0, kMaxClientExtent);
  const int H = std::clamp(client.bottom, 0, kMaxClientExtent);
  m_rcClient = {0, 0, W, H};

  // Below 69 pixels the unit is 0 and every box collapses onto its anchor;
  // nothing divides by it, so that still lays out.
  const int u = (H - 10) / 59;
  m_nUnit = u;
  const int X = W / 2;
  const int Y = H / 2;

  for (int r = 0; r < 3; ++r) {
    for (int s = 0; s < 3; ++s) {
      m_rcCell[3 * r + s + 1] = {X - 32 * u + 8 * u * s + 4, Y - 23 * u + 8 * u * r + 4,
                                 X - 24 * u + 8 * u * s, Y - 15 * u + 8 * u * r};
    }
  }

  // Differences of the rows to the right of the board, of the columns below
  // it, of diagonal 1-5-9 at the bottom right and of 3-5-7 at the bottom left.
  for (int r = 0; r < 3; ++r)
    m_rcLineDiff[r] = {X - 7 * u, Y - 22 * u + 8 * u * r + 4, X - 4 * u,
                       Y - 19 * u + 8 * u * r + 4};
  for (int s = 0; s < 3; ++s)
    m_rcLineDiff[3 + s] = {X - 30 * u + 8 * u * s + 4, Y + 2 * u, X - 27 * u + 8 * u * s + 4,
                           Y + 5 * u};
  m_rcLineDiff[6] = {X - 7 * u, Y + 2 * u, X - 4 * u, Y + 5 * u};
  m_rcLineDiff[7] = {X - 37 * u + 4, Y + 2 * u, X - 34 * u + 4, Y + 5 * u};
  // Each square sits diagonally below and right of its difference.
  for (int k = 0; k < 8; ++k) m_rcLineDiffSq[k] = Moved(m_rcLineDiff[k], u, 3 * u);

  m_rcCountdown = {u, u, 4 * u, u + 5 * u / 4};
  m_rcRoundLabel = {u, u + 5 * u / 4 + u / 6, 10 * u, u + 2 * (5 * u / 4) + u / 6};
  m_rcBeforeLabel = {X - 32 * u + 4, Y - 24 * u + 4 - 5 * u / 4, X - 20 * u + 2, Y - 24 * u + 4};
  m_rcAfterLabel = {X - 19 * u + 2, Y - 24 * u + 4 - 5 * u / 4, X - 8 * u, Y - 24 * u + 4};
  m_rcPlayerLabel = {X + 4 * u, Y - 25 * u + 4 - u / 2, W - u, Y - 23 * u + 4 - u / 2};
  m_rcInstructions = {X + 4 * u, Y - 23 * u + 4, W - u, H - 9 * u};

  // Score table along the bottom: ten rounds 5 units apart, then "Total" one
  // unit further so it stands apart.
  for (int i = 1; i <= kTotalSlot; ++i) {
    const int left = i <= kRounds ? X - 32 * u + 4 + 5 * u * (i - 1) : X + 19 * u + 4;
    const int right = left + 4 * u;
    m_rcScoreCell[i] = {left, H - 6 * u, right, H - 4 * u};
    m_rcScoreFrame[i] = Grown(m_rcScoreCell[i], 2);
    m_rcBonusCell[i] = {left, H - 4 * u + u / 2, right, H - 2 * u + u / 2};
    m_rcBonusFrame[i] = Grown(m_rcBonusCell[i], 2);
    m_rcColumnLabel[i] = {left, H - 7 * u - 3, right, H - 6 * u - 3};
  }
  m_rcScoreHeader = {X - 37 * u + 4, H - 6 * u, X - 33 * u + 4, H - 4 * u};
  const int overallLeft = m_rcScoreCell[kTotalSlot].right + 3 * u / 2;
  m_rcOverall = {overallLeft, H - 5 * u, overallLeft + 4 * u, H - 3 * u + u / 2};
  m_rcOverallFrame = Grown(m_rcOverall, 2);
  m_rcOverallLabel = {m_rcOverall.left, m_rcOverall.top - 3 - u, m_rcOverall.right,
                      m_rcOverall.top - 3};
}

void CMyKelvoView::LayOut(CDC* pDC) {
  RECT client;
  GetClientRect(&client);
  pDC->SetBkMode(TRANSPARENT);
  ComputeLayout(client);

  // The font heights follow the window height, so they are made anew at
  // every paint.
  const int u = m_nUnit;
  struct {
    CFont* font;
    int height;
    const char* face;
  } const fonts[] = {
      {&m_fontTable, u, "Arial"},
      {&m_fontText, 3 * u / 2, "Arial"},
      {&m_fontLabel, 3 * u / 2, "Arial Bold"},
      {&m_fontCell, 4 * u, "Arial Bold"},
  };
  for (const auto& f : fonts) {
    if (f.font->GetSafeHandle()) f.font->DeleteObject();
    CreateGameFont(*f.font, f.height, f.face);
  }
}
