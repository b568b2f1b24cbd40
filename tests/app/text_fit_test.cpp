// Every text of every language the game ships (po/LINGUAS as it stands when
// the test runs) and of the pseudo-language "qps" (every text some 40 %
// longer, full of accents) fits the box it is drawn in, as the real drawing
// surface measures it: each screen of a perfect game at the smallest and
// the largest window, and the certificate on a small and a large page (the
// dialogs' controls grow to any text: platform/qt/template_dialog_test.cpp).
// English, the language the boxes were made for, is the yardstick: a text
// may overrun its box no further than the English one there does, in a
// font no taller, and two texts overlap only where the English ones do.
#include <gtest/gtest.h>

#include <QImage>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "certificate/PlayerNameDlg.h"
#include "platform/drawing/painter_dc.h"
#include "platform/interface/print_info.h"
#include "platform/language/translation.h"
#include "support/game_play.h"
#include "support/qt/pixel_host.h"
#include "support/speaking.h"

// glibc's gettext looks every text up afresh once this counter has moved.
extern "C" int _nl_msg_cat_cntr;

namespace {

// The languages are switched in the one process, so that each is measured
// against the English of the same run.
void Speak(const std::string& language) {
  if (language.empty())
    unsetenv("LANGUAGE");
  else
    setenv("LANGUAGE", language.c_str(), 1);
  UseLocaleThatReadsLanguage();
  ++_nl_msg_cat_cntr;
}

std::vector<std::string> Languages() {
  std::vector<std::string> languages = {"qps"};
  std::ifstream linguas(KELVO_SOURCE_DIR "/po/LINGUAS");
  for (std::string line; std::getline(linguas, line);)
    if (!line.empty() && line[0] != '#') languages.push_back(line);
  return languages;
}

using Box = std::tuple<int, int, int, int>;
Box KeyOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
bool Meet(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A text as drawn: what it needs of its box (a line's width, wrapped lines'
// height) and where it lies, placed as DrawText places it.
struct Drawn {
  DrawCall call;
  int need, room;
  RECT ink;
};

std::vector<Drawn> Measure(const std::vector<DrawCall>& calls) {
  QImage scratch(8, 8, QImage::Format_RGB32);
  PainterDC dc(&scratch);
  std::vector<Drawn> drawn;
  for (const DrawCall& c : calls) {
    if (c.kind != DrawCall::kDrawText) continue;
    CFont font;
    font.CreateFontIndirect(&c.font);
    dc.SelectObject(&font);
    const RECT& b = c.rect;
    if ((c.format & DT_WORDBREAK) && !(c.format & DT_SINGLELINE)) {
      RECT r = b;
      const int height = dc.DrawText(c.text, -1, &r, c.format | DT_CALCRECT);
      drawn.push_back({c, height, b.bottom - b.top, {b.left, b.top, b.right, b.top + height}});
    } else {
      const CSize e = dc.GetTextExtent(c.text);
      const int free = b.right - b.left - e.cx;
      const int x = b.left + ((c.format & DT_CENTER) ? free / 2 : (c.format & DT_RIGHT) ? free : 0);
      const int y = (c.format & DT_VCENTER) ? (b.top + b.bottom - e.cy) / 2 : b.top;
      drawn.push_back({c, e.cx, b.right - b.left, {x, y, x + e.cx, y + e.cy}});
    }
    dc.SelectObject(static_cast<CFont*>(nullptr));
  }
  return drawn;
}

// The texts of each screen of a perfect game played by Zoë Ada, handlers'
// and paint's alike, and of her certificate on two pages.
std::map<std::string, std::vector<Drawn>> Screens(int width, int height) {
  GameTable t(width, height, std::make_unique<ImageCanvas>());
  std::map<std::string, std::vector<Drawn>> screens;
  const auto take = [&](const std::string& name) {
    t.host.Paint();
    screens[name] = Measure(t.Calls());
    t.host.ClearRecorded();
  };
  take("idle");
  t.view.m_strPlayerLabel = PlayerLabelText(thePlayerNameDlg.m_strPlayerName);
  take("named");
  t.Enter();
  take("round");
  t.PlayRound(true);
  take("rest");
  for (int round = 2; round <= kRounds; ++round) {
    t.host.ClearRecorded();
    t.host.Clock().FireNext(kRestTimer);
    t.PlayRound(true);
  }
  take("perfect game over");
  QImage scratch(8, 8, QImage::Format_RGB32);
  PainterDC page(&scratch);
  for (const RECT sheet : {RECT{0, 0, 620, 874}, RECT{0, 0, 7016, 9921}}) {
    RecordingDC printed(&page);
    CPrintInfo info;
    info.m_rectDraw = sheet;
    t.view.OnPrint(&printed, &info);
    screens["certificate " + std::to_string(sheet.right)] = Measure(printed.Calls());
  }
  return screens;
}

struct TextFitTest : testing::Test {
  TextFitTest() : savedName(thePlayerNameDlg.m_strPlayerName) {
    UseTranslationsFrom(KELVO_BINARY_DIR "/locale");
    thePlayerNameDlg.m_strPlayerName = "Zoë Ada";
  }
  ~TextFitTest() override {
    thePlayerNameDlg.m_strPlayerName = savedName;
    unsetenv("LANGUAGE");
    std::setlocale(LC_ALL, "C");
    ++_nl_msg_cat_cntr;
  }
  std::string savedName;
};

TEST_F(TextFitTest, EveryLanguageFitsTheScreensAndTheCertificate) {
  for (const auto& [width, height] : {std::pair{640, 480}, {3840, 2160}}) {
    Speak("");
    const auto english = Screens(width, height);
    for (const std::string& language : Languages()) {
      Speak(language);
      ASSERT_FALSE(TranslationLanguage().empty()) << "no catalogue for " << language;
      for (const auto& [screen, texts] : Screens(width, height)) {
        const std::string where = language + " " + std::to_string(width) + "x" +
                                  std::to_string(height) + " " + screen + ": ";
        std::map<Box, int> overrun, font;
        std::set<std::pair<Box, Box>> met;
        const std::vector<Drawn>& yardstick = english.at(screen);
        for (const Drawn& e : yardstick) {
          const Box box = KeyOf(e.call.rect);
          overrun[box] = std::max(overrun[box], e.need - e.room);
          font[box] = std::max(font[box], e.call.font.lfHeight);
          for (const Drawn& o : yardstick)
            if (Meet(e.ink, o.ink)) met.insert({box, KeyOf(o.call.rect)});
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
          const Drawn& d = texts[i];
          const Box box = KeyOf(d.call.rect);
          EXPECT_LE(d.need, d.room + overrun[box])
              << where << '"' << d.call.text << "\" needs " << d.need << " px of " << d.room;
          EXPECT_LE(d.call.font.lfHeight, font[box]) << where << d.call.text;
          for (std::size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_TRUE(!Meet(d.ink, texts[j].ink) || met.count({box, KeyOf(texts[j].call.rect)}))
                << where << '"' << d.call.text << "\" meets \"" << texts[j].call.text << '"';
        }
      }
    }
  }
}

}  // namespace
