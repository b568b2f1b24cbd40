// The end of a game: the closing cue and, for ten magic squares in a row,
// the perfect-game cue, the moment the certificate will print, and the
// PERFECT! banner.
#include <ctime>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "game/local_time.h"
#include "game/spoken_text.h"
#include "platform/language/translation.h"
#include "screen/text_style.h"
#include "sound/sound_cues.h"
#include "sound/sound_ids.h"

std::int64_t CMyKelvoView::CurrentTime() const {
  if (m_fnCurrentTime) return m_fnCurrentTime();
  return static_cast<std::int64_t>(std::time(nullptr));
}

void CMyKelvoView::EndGame() {
  const bool perfect = m_nBonus[kTotalSlot] == kPerfectBonus;
  // Said before the closing cue, which holds everything up while it plays.
  Announce(GameOverText(m_nScore, m_nBonus, perfect, !thePlayerNameDlg.m_strPlayerName.empty()));
  PlaySoundCueSync(IDR_SOUND_GAME_OVER);
  if (perfect) {
    PlaySoundCue(IDR_SOUND_PERFECT);
    // Taken after the closing cue has played to its end.
    m_timePerfect = CurrentTime();
    // In the player's language, whatever locale data the machine has.
    // TRANSLATORS: the certificate's date, in strftime's conversions: %B
    // the month (as this catalogue names it in a date), %d the day (%-d
    // without a leading 0), %Y the year.
    // xgettext:no-c-format
    m_strPerfectDate = LocalTimeText(m_timePerfect, C_("certificate date", "%B %d, %Y"));
    // TRANSLATORS: the certificate's time, in strftime's conversions: %I the
    // hour on a 12-hour clock with %p (AM or PM, from this catalogue), %H
    // on a 24-hour clock, %M minutes, %S seconds.  The comma ends the line
    // before the player's name.
    // xgettext:no-c-format
    m_strPerfectTime = LocalTimeText(m_timePerfect, C_("certificate time", "%I:%M:%S %p,"));
    CClientDC dc(this);
    DrawPerfectBanner(dc);
  }
  m_nGameState = kStateGameOver;
}

void CMyKelvoView::DrawPerfectBanner(CDC* pDC) {
  struct Letter {
    const char* text;
    int height;
    COLORREF colour;
  };
  const int u = m_nUnit;
  // Each letter a little taller than the one before.
  const Letter letters[] = {
      {"P", 4 * u, RGB(0xFF, 0x4E, 0x4E)}, {"E", 9 * u / 2, RGB(0x4E, 0xFF, 0x4E)},
      {"R", 5 * u, RGB(0xFF, 0x4E, 0xFF)}, {"F", 11 * u / 2, RGB(0x4E, 0x4E, 0xFF)},
      {"E", 6 * u, RGB(0xFF, 0xE1, 0x58)}, {"C", 13 * u / 2, RGB(0xFF, 0x4E, 0x4E)},
      {"T", 7 * u, RGB(0x4E, 0xFF, 0x4E)}, {"!", 15 * u / 2, RGB(0x4E, 0x4E, 0xFF)},
  };
  // The free band under the square, between the board's left edge and the
  // instructions, above the score table's headings.
  RECT band = {m_rcCell[1].left, m_rcLineDiffSq[3].bottom, m_rcInstructions.left,
               m_rcColumnLabel[1].top};
  pDC->SetBkMode(TRANSPARENT);
  for (const Letter& letter : letters) {
    if (m_fontBanner.GetSafeHandle()) m_fontBanner.DeleteObject();
    CreateGameFont(m_fontBanner, letter.height, "Arial Bold");
    pDC->SetTextColor(letter.colour);
    CFont* previous = pDC->SelectObject(&m_fontBanner);
    pDC->DrawText(letter.text, &band, kLeftAligned);
    // Each letter moves the next one on by its own width in its own size.
    const CSize extent = pDC->GetTextExtent(letter.text);
    pDC->SelectObject(previous);
    m_fontBanner.DeleteObject();
    band.left += extent.cx;
  }
  band.left = m_rcCell[1].left;
  // Remembered so that the next game can clear it.
  m_rcBanner = band;
  pDC->SetTextColor(kBlack);
}
