#include "support/recording_dc.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace

DrawCall RecordingDC::Make(DrawCall::Kind kind) const {
  DrawCall call;
  call.kind = kind;
  const DCState& state = SurfaceState();
  call.bkMode = state.bkMode;
  if (state.font && state.font->GetSafeHandle()) {
    call.font = state.font->logFont();
    call.hasFont = true;
  }
  call.color = state.pen ? state.pen->color() : kBlack;
  call.penWidth = state.pen ? state.pen->width() : 1;
  return call;
}

std::vector<DrawCall> RecordingDC::Texts() const {
  std::vector<DrawCall> out;
  for (const DrawCall& c : *m_log)
    if (c.kind == DrawCall::kDrawText) out.push_back(c);
  return out;
}

std::vector<DrawCall> RecordingDC::TextsEqual(const std::string& text) const {
  std::vector<DrawCall> out;
  for (const DrawCall& c : *m_log)
    if (c.kind == DrawCall::kDrawText && c.text == text) out.push_back(c);
  return out;
}

std::vector<DrawCall> RecordingDC::TextsIn(const RECT& box) const {
  std::vector<DrawCall> out;
  for (const DrawCall& c : *m_log)
    if (c.kind == DrawCall::kDrawText && c.rect == box) out.push_back(c);
  return out;
}

std::vector<DrawCall> RecordingDC::FillsOf(const RECT& box) const {
  std::vector<DrawCall> out;
  for (const DrawCall& c : *m_log)
    if (c.kind == DrawCall::kFillRect && c.rect == box) out.push_back(c);
  return out;
}

int RecordingDC::SetBkMode(int mode) {
  const int old = CDC::SetBkMode(mode);
  m_log->push_back(Make(DrawCall::kSetBkMode));
  if (m_pTarget) m_pTarget->SetBkMode(mode);
  return old;
}

COLORREF RecordingDC::SetTextColor(COLORREF color) {
  const COLORREF old = CDC::SetTextColor(color);
  DrawCall call = Make(DrawCall::kSetTextColor);
  call.color = color;
  m_log->push_back(call);
  if (m_pTarget) m_pTarget->SetTextColor(color);
  return old;
}

CPen* RecordingDC::SelectObject(CPen* pen) {
  CPen* old = CDC::SelectObject(pen);
  m_log->push_back(Make(DrawCall::kSelectPen));
  if (m_pTarget) m_pTarget->SelectObject(pen);
  return old;
}

CFont* RecordingDC::SelectObject(CFont* font) {
  CFont* old = CDC::SelectObject(font);
  m_log->push_back(Make(DrawCall::kSelectFont));
  if (m_pTarget) m_pTarget->SelectObject(font);
  return old;
}

void RecordingDC::FillRect(const RECT* rect, CBrush* brush) {
  DrawCall call = Make(DrawCall::kFillRect);
  call.rect = *rect;
  call.color = (brush && brush->GetSafeHandle()) ? brush->color() : kWhite;
  m_log->push_back(call);
  if (m_pTarget) m_pTarget->FillRect(rect, brush);
}

int RecordingDC::DrawText(std::string_view text, int count, RECT* rect, UINT format) {
  // A measurement draws nothing, so it is not logged.
  if (format & DT_CALCRECT) return m_pTarget ? m_pTarget->DrawText(text, count, rect, format) : 0;
  DrawCall call = Make(DrawCall::kDrawText);
  call.rect = *rect;
  call.text = std::string(LeadingCharacters(text, count));
  call.format = format;
  call.color = SurfaceState().textColor;
  m_log->push_back(call);
  if (m_pTarget) return m_pTarget->DrawText(text, count, rect, format);
  return call.hasFont ? call.font.lfHeight : 0;
}

POINT RecordingDC::MoveTo(int x, int y) {
  const POINT old = CDC::MoveTo(x, y);
  DrawCall call = Make(DrawCall::kMoveTo);
  call.to = {x, y};
  m_log->push_back(call);
  if (m_pTarget) m_pTarget->MoveTo(x, y);
  return old;
}

BOOL RecordingDC::LineTo(int x, int y) {
  DrawCall call = Make(DrawCall::kLineTo);
  call.from = AdvancePosition(x, y);
  call.to = {x, y};
  m_log->push_back(call);
  if (m_pTarget) m_pTarget->LineTo(x, y);
  return TRUE;
}

BOOL RecordingDC::Rectangle(const RECT* rect) {
  DrawCall call = Make(DrawCall::kRectangle);
  call.rect = *rect;
  m_log->push_back(call);
  if (m_pTarget) m_pTarget->Rectangle(rect);
  return TRUE;
}

COLORREF RecordingDC::SetPixel(int x, int y, COLORREF color) {
  DrawCall call = Make(DrawCall::kSetPixel);
  call.to = {x, y};
  call.color = color;
  m_log->push_back(call);
  if (m_pTarget) return m_pTarget->SetPixel(x, y, color);
  return color;
}

CSize RecordingDC::GetTextExtent(std::string_view text) {
  if (m_pTarget) return m_pTarget->GetTextExtent(text);
  const CFont* font = SurfaceState().font;
  const int height = (font && font->GetSafeHandle()) ? font->logFont().lfHeight : 16;
  const int chars = static_cast<int>(LeadingCharacters(text, -1).size());
  return {chars * height * 6 / 10, height};
}

int RecordingDC::StartPage() {
  m_log->push_back(Make(DrawCall::kStartPage));
  return m_pTarget ? m_pTarget->StartPage() : 1;
}

int RecordingDC::EndPage() {
  m_log->push_back(Make(DrawCall::kEndPage));
  return m_pTarget ? m_pTarget->EndPage() : 1;
}
