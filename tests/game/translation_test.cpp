// The game in another language, from the catalogues the build compiles: a
// count in each of a language's plural forms, the certificate's date in the
// language's own way on a machine with no locale data beyond C.UTF-8, the
// rules a screen reader reads split by sentence in any script, and English
// wherever no catalogue speaks the player's language.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/local_time.h"
#include "game/spoken_text.h"
#include "screen/instructions_text.h"
#include "screen/score_table.h"
#include "support/speaking.h"

namespace {

// 2040-07-04 15:04:05 UTC.
constexpr std::int64_t kMoment = 2225027045;

class UtcTest : public testing::Test {
 protected:
  UtcTest() {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~UtcTest() override {
    unsetenv("TZ");
    tzset();
  }
};

TEST(Translation, RussianCountsTakeTheirThreeFormsAndTheRulesBreakBySentence) {
  const Speaking russian("ru");
  EXPECT_EQ(SecondsText(1), "1 секунда");
  EXPECT_EQ(SecondsText(3), "3 секунды");
  EXPECT_EQ(SecondsText(5), "5 секунд");
  EXPECT_EQ(SecondsText(11), "11 секунд");
  EXPECT_EQ(SecondsText(21), "21 секунда");
  EXPECT_EQ(SecondsText(600), "600 секунд");
  // The same word in two places, two translations of their own.
  EXPECT_EQ(ColumnLabel(11), "Итого");
  EXPECT_EQ(ColumnLabel(12), "");
  EXPECT_EQ(TranslationLanguage(), "ru");
  // The rules a screen reader reads break at every sentence, in any script.
  const std::string rules = BuildRulesForReader();
  EXPECT_EQ(rules.find(". В"), std::string::npos);
  EXPECT_EQ(rules.find(". Е"), std::string::npos);
  EXPECT_NE(rules.find(".\nЕсли получится"), std::string::npos);
}

TEST_F(UtcTest, MonthsAndTheClockComeFromTheCatalogueNotFromLocaleData) {
  {
    const Speaking english("");
    EXPECT_EQ(LocalTimeText(kMoment, "%B %d, %Y"), "July 04, 2040");
    EXPECT_EQ(LocalTimeText(kMoment, "%I:%M:%S %p,"), "03:04:05 PM,");
    EXPECT_EQ(LocalTimeText(kMoment, "%A"), "Wednesday");
  }
  {
    // The machine has no German or Russian locale data: strftime alone
    // would write "July".
    const Speaking german("de");
    EXPECT_EQ(LocalTimeText(kMoment, "%-d. %B %Y, %H:%M:%S Uhr"), "4. Juli 2040, 15:04:05 Uhr");
  }
  {
    const Speaking russian("ru");
    EXPECT_EQ(LocalTimeText(kMoment, "%A, %-d %B %Y г."), "среда, 4 июля 2040 г.");
    EXPECT_EQ(LocalTimeText(kMoment, "%I %p"), "03 ПП");
  }
  // A translator's format is written as far as it makes sense.
  EXPECT_EQ(LocalTimeText(kMoment, "%%B 100%"), "%B 100");
  EXPECT_EQ(LocalTimeText(kMoment, ""), "");
}

TEST(Translation, ALanguageWithoutACatalogueIsTheGamesEnglish) {
  const Speaking unknown("xx");
  EXPECT_EQ(BuildInstructionsText().size(), 1526u);
  EXPECT_EQ(SecondsLeftText(1), "1 second left.");
  EXPECT_EQ(ColumnLabel(1), "Round 1");
  EXPECT_EQ(TranslationLanguage(), "");
}

}  // namespace
