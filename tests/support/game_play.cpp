#include "game_play.h"

#include <algorithm>

#include "game/line_values.h"
#include "game/puzzle_tables.h"

CueRecorder::CueRecorder() : m_previous(SetSoundOutput(this)) {}
CueRecorder::~CueRecorder() { SetSoundOutput(m_previous); }

void CueRecorder::Play(UINT clipId, std::span<const unsigned char> image, bool wait) {
  plays.push_back({clipId, wait});
  if (onPlay) onPlay(clipId);
  if (onImage) onImage(image);
}

std::vector<UINT> CueRecorder::Ids() const {
  std::vector<UINT> ids;
  for (const auto& p : plays) ids.push_back(p.id);
  return ids;
}

int CueRecorder::Count(UINT id) const {
  return static_cast<int>(
      std::count_if(plays.begin(), plays.end(), [id](const auto& p) { return p.id == id; }));
}

int SquareTotal(const int cell[10]) {
  int diff[kLineCount], sq[kLineCount];
  return ComputeLineDiffs(cell, diff, sq);
}

bool IsPermutationOfOneToNine(const int cell[10]) {
  int sorted[9];
  std::copy(cell + 1, cell + 10, sorted);
  std::sort(sorted, sorted + 9);
  for (int i = 0; i < 9; ++i)
    if (sorted[i] != i + 1) return false;
  return true;
}

std::optional<CellPair> FindExchange(const int cell[10],
                                     const std::function<bool(int, int)>& wanted) {
  const int before = SquareTotal(cell);
  for (const auto& pair : g_nSwapPairs) {
    int c[10];
    std::copy(cell, cell + 10, c);
    std::swap(c[pair[0]], c[pair[1]]);
    if (wanted(SquareTotal(c), before)) return CellPair{pair[0], pair[1]};
  }
  return std::nullopt;
}

std::optional<CellPair> FindMagicExchange(const int cell[10]) {
  return FindExchange(cell, [](int after, int) { return after == 0; });
}

CPoint CellCentre(const CMyKelvoView& view, int cell) {
  const RECT& r = view.m_rcCell[cell];
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

GameTable::GameTable(int width, int height, std::unique_ptr<PixelCanvas> canvas, std::uint32_t seed)
    : host(width, height, HeadlessHost::Options{.record = true}, std::move(canvas)) {
  view.SeedRandom(seed);
  host.Attach(&view);
  host.Paint();
  host.ClearRecorded();
}

GameTable::~GameTable() { host.Attach(nullptr); }

void GameTable::Drag(int from, int to) { Drag(CellCentre(view, from), CellCentre(view, to)); }

void GameTable::Drag(CPoint from, CPoint to) {
  view.OnLButtonDown(MK_LBUTTON, from);
  view.OnLButtonUp(0, to);
}

void GameTable::TypeSwap(int from, int to) {
  const int first = view.m_nCell[from];
  const int second = view.m_nCell[to];
  Key(static_cast<UINT>('0' + first));
  Key(static_cast<UINT>('0' + second));
}

int GameTable::RunOutSwapPeriod() {
  int ticks = 0;
  while (host.Clock().IsRunning(kSwapTimer) && ticks < 1000) {
    Tick();
    ++ticks;
  }
  return ticks;
}

void GameTable::SwapToMagic(bool typed) {
  const auto pair = FindMagicExchange(view.m_nCell);
  if (!pair) return;
  if (typed)
    TypeSwap(pair->first, pair->second);
  else
    Drag(pair->first, pair->second);
}

void GameTable::PlayRound(bool magic) {
  if (magic) SwapToMagic();
  RunOutSwapPeriod();
}

std::vector<DrawCall> GameTable::TextsIn(const RECT& box) const {
  std::vector<DrawCall> out;
  for (const auto& c : host.Recorded())
    if (c.kind == DrawCall::kDrawText && c.rect == box) out.push_back(c);
  return out;
}

std::vector<DrawCall> GameTable::TextsEqual(const std::string& text) const {
  std::vector<DrawCall> out;
  for (const auto& c : host.Recorded())
    if (c.kind == DrawCall::kDrawText && c.text == text) out.push_back(c);
  return out;
}
