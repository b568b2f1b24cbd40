// Which scale factors the game refuses at start: none a player would use
// for a real screen, every one that leaves no usable window.
#include <gtest/gtest.h>

#include <cmath>

#include "app/ScaleFactorCheck.h"

TEST(ScaleFactorCheck, RefusesOnlyFactorsThatLeaveNoUsableWindow) {
  // A 1280 x 800 screen at the usual factors, and at the extremes that
  // still work: a quarter size, and four times (320 x 200 left).
  for (const double factor : {1.0, 1.25, 1.5, 2.0, 3.0, 0.5, 0.25, 4.0})
    EXPECT_EQ(ScaleFactorProblem("QT_SCALE_FACTOR=x", factor, static_cast<int>(1280 / factor),
                                 static_cast<int>(800 / factor)),
              "")
        << factor;
  // Not a finite number (0, -1, NaN, 0.0001 and 1e9 are refused through the
  // real program in tests/start_environment_check.sh).
  EXPECT_NE(ScaleFactorProblem("QT_SCALE_FACTOR=inf", INFINITY, 0, 0).find("above 0"),
            std::string::npos);
  // Texts shrunk to specks, and screens too small for the board.
  EXPECT_NE(ScaleFactorProblem("QT_SCALE_FACTOR=0.2", 0.2, 6400, 4000), "");
  EXPECT_NE(ScaleFactorProblem("QT_SCALE_FACTOR=5", 5.0, 256, 160), "");
  EXPECT_NE(ScaleFactorProblem("QT_SCALE_FACTOR=4", 4.0, 320, 199), "");
}
