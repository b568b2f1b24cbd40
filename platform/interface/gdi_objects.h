// Pens, brushes and fonts as the game creates them: plain descriptions that
// a drawing surface turns into real strokes and glyphs.  An object is
// "empty" until created and again after DeleteObject, so it can be re-created
// (the screen fonts are re-created at every paint).
#pragma once

#include <string>

#include "platform/interface/win_types.h"

class CGdiObject {
 public:
  virtual ~CGdiObject() = default;
  // Non-null while the object holds a created pen, brush or font.
  const void* GetSafeHandle() const { return m_bCreated ? this : nullptr; }
  BOOL DeleteObject() {
    const BOOL had = m_bCreated ? TRUE : FALSE;
    m_bCreated = false;
    return had;
  }

 protected:
  bool m_bCreated = false;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color) {
    m_nStyle = style;
    m_nWidth = width;
    m_color = color;
    m_bCreated = true;
    return TRUE;
  }
  int style() const { return m_nStyle; }
  int width() const { return m_nWidth; }
  COLORREF color() const { return m_color; }

 private:
  int m_nStyle = PS_SOLID;
  int m_nWidth = 1;
  COLORREF m_color = RGB(0, 0, 0);
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) {
    m_color = color;
    m_bCreated = true;
    return TRUE;
  }
  COLORREF color() const { return m_color; }

 private:
  COLORREF m_color = RGB(255, 255, 255);
};

// The fourteen font-creation arguments, kept as given.
struct LOGFONT {
  int lfHeight = 0;
  int lfWidth = 0;
  int lfEscapement = 0;
  int lfOrientation = 0;
  int lfWeight = FW_DONTCARE;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = ANSI_CHARSET;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  std::string lfFaceName;
  friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                  BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                  BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                  const char* lpszFacename) {
    m_logFont = LOGFONT{nHeight,         nWidth,
                        nEscapement,     nOrientation,
                        nWeight,         bItalic,
                        bUnderline,      cStrikeOut,
                        nCharSet,        nOutPrecision,
                        nClipPrecision,  nQuality,
                        nPitchAndFamily, lpszFacename ? lpszFacename : ""};
    m_bCreated = true;
    return TRUE;
  }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont) {
    m_logFont = *lpLogFont;
    m_bCreated = true;
    return TRUE;
  }
  const LOGFONT& logFont() const { return m_logFont; }

 private:
  LOGFONT m_logFont;
};

// The font every game font is made from: only height and face vary.
inline BOOL CreateGameFont(CFont& font, int height, const char* face) {
  return font.CreateFont(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEVICE_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face);
}
