// Playing the game in tests: a recorder of the sound cues, puzzle solving
// (the one exchange that makes the square magic, or one that merely
// improves it, or one that does not), a view shown in a headless window
// with a hand-driven clock, and the score table's headings as drawn.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "game/MyKelvoView.h"
#include "platform/interface/sound_output.h"
#include "platform/interface/virtual_keys.h"
#include "scripted_modal_ui.h"
#include "support/headless_host.h"

// Records which stored cue was played (by resource id) and whether the
// caller waited for it.  Installs itself for the length of its life.
class CueRecorder : public ISoundOutput {
 public:
  struct Cue {
    UINT id;
    bool waited;
  };
  CueRecorder();
  ~CueRecorder() override;
  void Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) override;

  std::vector<UINT> Ids() const;
  int Count(UINT id) const;
  void Clear() { plays.clear(); }

  std::vector<Cue> plays;
  // Called at each play, e.g. to look at the game at that moment, or at
  // the clip handed over.
  std::function<void(UINT id)> onPlay;
  std::function<void(std::span<const unsigned char> image)> onImage;

 private:
  ISoundOutput* m_previous;
};

using CellPair = std::pair<int, int>;

// The line total of the cells (0 for a magic square).
int SquareTotal(const int cell[10]);
bool IsPermutationOfOneToNine(const int cell[10]);
// The first exchange (p < q) whose total after the exchange satisfies
// `wanted(after, before)`.
std::optional<CellPair> FindExchange(const int cell[10],
                                     const std::function<bool(int after, int before)>& wanted);
std::optional<CellPair> FindMagicExchange(const int cell[10]);

CPoint CellCentre(const CMyKelvoView& view, int cell);

// A view in a 1024x700 headless window (by default), painted once so its
// layout is in place, with a recorder of cues and a scripted message box;
// with a canvas it draws pixels too.
class GameTable {
 public:
  explicit GameTable(int width = 1024, int height = 700,
                     std::unique_ptr<PixelCanvas> canvas = nullptr, std::uint32_t seed = 12345);
  ~GameTable();

  void Enter() { view.OnKeyDown(VK_RETURN, 1, 0); }
  void Drag(int from, int to);
  void Drag(CPoint from, CPoint to);
  void Key(UINT vk) { view.OnKeyDown(vk, 1, 0); }
  // Types the numbers that cells `from` and `to` hold, on the main row.
  void TypeSwap(int from, int to);
  // One tick of the swap-period timer; false when it is not running.
  bool Tick() { return host.Clock().FireNext(kSwapTimer); }
  // Ticks until the swap period has closed; returns the number of ticks.
  int RunOutSwapPeriod();
  // Solves the square by its one magic exchange, by drag or typed.
  void SwapToMagic(bool typed = false);
  // Plays the current round with a magic swap (or none) and closes it.
  void PlayRound(bool magic);

  // The calls recorded since the last ClearRecorded().
  const std::vector<DrawCall>& Calls() const { return host.Recorded(); }
  std::vector<DrawCall> TextsIn(const RECT& box) const;
  std::vector<DrawCall> TextsEqual(const std::string& text) const;

  ScriptedModalUI modal;
  CueRecorder cues;
  CMyKelvoView view;
  HeadlessHost host;
};
