// The game view driven by a byte stream decoded into the events a window
// delivers: keys (those of keyboard play too), presses and releases
// anywhere, the clock moving, stray timer ids, resizes (down to 0 x 0) with
// paints, name changes and printed pages of any size.  After every event the rules of the game
// state must still hold; any breach aborts.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "platform/drawing/painter_dc.h"
#include "platform/interface/print_info.h"
#include "platform/interface/sound_output.h"
#include "platform/interface/virtual_keys.h"
#include "support/headless_host.h"
#include "support/scripted_modal_ui.h"

namespace {

class SilentOutput : public ISoundOutput {
 public:
  void Play(UINT, std::span<const unsigned char>, bool) override {}
};

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool Done() const { return m_pos >= m_size; }
  std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  // The high byte first: the two reads are separate statements because the
  // operands of | may be evaluated in either order.
  int Word() {
    const int high = Byte();
    return (high << 8) | Byte();
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckInvariants(const CMyKelvoView& v, bool started) {
  Check(v.m_nGameState >= 0 && v.m_nGameState <= 3);
  Check(v.m_nCountdown >= 0 && v.m_nCountdown <= 100);
  if (!started) return;
  Check(v.m_nRound >= 1 && v.m_nRound <= 10);
  bool seen[10] = {};
  for (int i = 1; i <= 9; ++i) {
    Check(v.m_nCell[i] >= 1 && v.m_nCell[i] <= 9 && !seen[v.m_nCell[i]]);
    seen[v.m_nCell[i]] = true;
  }
  int score = 0;
  int bonus = 0;
  for (int r = 1; r <= 10; ++r) {
    score += v.m_nScore[r];
    bonus += v.m_nBonus[r];
  }
  Check(score == v.m_nScore[11] && bonus == v.m_nBonus[11]);
  Check(v.m_nBonus[11] <= 5110 && v.m_nScore[11] + v.m_nBonus[11] <= 6110);
  // A pick lives only in an open swap period.
  Check(v.m_nKeyCursor >= 1 && v.m_nKeyCursor <= 9);
  Check(v.m_nKeyPick == -1 ||
        (v.m_nKeyPick >= 1 && v.m_nKeyPick <= 9 && v.m_nGameState == 1 && v.m_bKeysUsed));
}

std::string NameFrom(ByteReader& in) {
  static const char* const kPieces[] = {"A", "é", "👍", "\t", "\x01", "ש", "\u0301", " ", "Zoë"};
  std::string name;
  const int count = in.Byte() % 40;
  for (int i = 0; i < count; ++i) name += kPieces[in.Byte() % 9];
  return name;
}

// A drawing rectangle anywhere, inverted or not.  Its extent is below 8192
// pixels except once per input, when it may be anything up to the full int
// range: the largest pages are clamped by the page code, but still mean tens
// of millions of dots, too slow to repeat within one input.
RECT PageRect(ByteReader& in, bool& hugePagePrinted) {
  auto coordinate = [&in](bool huge) {
    const int value = static_cast<int>((static_cast<unsigned>(in.Word()) << 16) | in.Word());
    return huge ? value : value % 8192;
  };
  const bool huge = !hugePagePrinted && in.Byte() % 16 == 0;
  hugePagePrinted = hugePagePrinted || huge;
  const int left = coordinate(huge);
  const int top = coordinate(huge);
  return {left, top, huge ? coordinate(true) : left + coordinate(false),
          huge ? coordinate(true) : top + coordinate(false)};
}

QGuiApplication* App() {
  static int argc = 1;
  static char arg0[] = "game_view_fuzz";
  static char* argv[] = {arg0, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(argc, argv);
  return &app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  App();
  static SilentOutput silent;
  SetSoundOutput(&silent);
  ScriptedModalUI modal;
  std::string typedName;
  modal.editDialog = [&](std::map<int, std::string>& texts) { texts[1000] = typedName; };

  ByteReader in(data, size);
  CMyKelvoView view;
  view.SeedRandom(in.Byte());
  HeadlessHost host(640, 480);
  host.Attach(&view);
  host.Paint();
  bool started = false;
  bool hugePagePrinted = false;

  for (int events = 0; !in.Done() && events < 2000; ++events) {
    switch (in.Byte() % 13) {
      case 0:
        view.OnKeyDown(VK_RETURN, 1, 0);
        break;
      case 1:
        view.OnKeyDown(VK_F1, 1, 0);
        break;
      case 2:
        view.OnKeyDown(in.Byte(), 1, 0);
        break;
      case 3:
        view.OnLButtonDown(MK_LBUTTON, {in.Word() - 2000, in.Word() - 2000});
        break;
      case 4:
        view.OnLButtonUp(0, {in.Word() - 2000, in.Word() - 2000});
        break;
      case 5:
        host.Clock().Advance(100 * (1 + in.Byte() % 8));
        break;
      case 6:
        host.Clock().FireNext(in.Byte() % 2 ? kSwapTimer : kRestTimer);
        break;
      case 7:  // ids the game never set
        view.OnTimer(3 + in.Byte());
        break;
      case 8: {
        const int width = in.Word() % 8000;
        host.Resize(width, in.Word() % 5000);
        break;
      }
      case 9:
        typedName = NameFrom(in);
        if (view.m_nGameState == 0 || view.m_nGameState == 3) view.OnRegisterEnterName();
        Check(CountCharacters(thePlayerNameDlg.m_strPlayerName) <= 30);
        break;
      case 10: {
        // A page without a device: it keeps nothing, however large.
        PainterDC page(static_cast<QPaintDevice*>(nullptr));
        CPrintInfo info;
        info.m_rectDraw = PageRect(in, hugePagePrinted);
        view.OnPrint(&page, &info);
        Check(view.m_fontCertificate.GetSafeHandle() == nullptr);
        break;
      }
      case 11:
        host.Paint();
        break;
      case 12: {  // keyboard play: numbers of either row, arrows, Space, Escape
        static const UINT kPlayKeys[] = {'0',     '1',   '2',      '3',     '4',        '5',
                                         '6',     '7',   '8',      '9',     VK_NUMPAD0, VK_NUMPAD9,
                                         VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_SPACE,   VK_ESCAPE};
        view.OnKeyDown(kPlayKeys[in.Byte() % std::size(kPlayKeys)], 1, 0);
        break;
      }
    }
    if (view.m_nGameState != 0) started = true;
    CheckInvariants(view, started);
  }
  host.Attach(nullptr);
  thePlayerNameDlg.m_strPlayerName.clear();
  SetSoundOutput(nullptr);
  return 0;
}
