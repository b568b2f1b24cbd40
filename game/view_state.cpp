#include <chrono>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "screen/instructions_text.h"

const char* const g_strVersion = KELVO_BUILD_LABEL;

CMyKelvoView::CMyKelvoView()
    : m_strInstructions(BuildInstructionsText()),
      m_strPlayerLabel(PlayerLabelText("")),
      m_strHints(BuildHintsText()),
      m_random(
          static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())),
      m_strRulesForReader(BuildRulesForReader()),
      m_strHintsForReader(BuildHintsForReader()) {
  m_penBlack.CreatePen(PS_SOLID, 1, RGB(0x00, 0x00, 0x00));
  m_penGridShade.CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
  m_penGridLight.CreatePen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
  m_penGuide.CreatePen(PS_SOLID, 1, RGB(0xC0, 0xAC, 0x00));
  m_penCertificate.CreatePen(PS_SOLID, 4, RGB(0xE6, 0x37, 0xFF));
  m_penKeyLight.CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF));

  // The colour belongs to the cell's position, not to the number in it.
  const COLORREF cellColours[10] = {
      0,
      RGB(0xA0, 0xFF, 0x8C),
      RGB(0x78, 0x78, 0xFF),
      RGB(0xFF, 0xD4, 0xE0),
      RGB(0xFF, 0x4E, 0x4E),
      RGB(0xFA, 0xFA, 0x00),
      RGB(0x00, 0xBE, 0x3C),
      RGB(0x80, 0xFF, 0xFF),
      RGB(0xFF, 0x50, 0xFF),
      RGB(0xFF, 0xA1, 0x4A),
  };
  for (int k = 1; k <= 9; ++k) m_brCell[k].CreateSolidBrush(cellColours[k]);
  m_brScore.CreateSolidBrush(RGB(0xFF, 0xC7, 0xFF));
  m_brBonus.CreateSolidBrush(RGB(0xE1, 0xFF, 0x80));
  m_brOverall.CreateSolidBrush(RGB(0x60, 0xFF, 0xB4));

  RegisterCommands();
}

CMyKelvoView::~CMyKelvoView() = default;
