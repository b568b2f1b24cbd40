#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "app/AppSettings.h"
#include "app/CommandLine.h"
#include "app/SwapSeconds.h"

using Action = CommandLine::Action;

TEST(CommandLine, PlainStartHelpVersionAndDocumentFile) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::kRun);
  EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"-h"}).action, Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::kVersion);
  EXPECT_NE(VersionText().find("Kelvo 1.0.0.1"), std::string::npos);
  EXPECT_NE(VersionText().find("D608"), std::string::npos);

  const CommandLine file = ParseCommandLine({"notes.kelv"});
  EXPECT_EQ(file.action, Action::kRun);
  EXPECT_EQ(file.documentPath, "notes.kelv");
  // After "--" even a name that looks like an option is a file.
  EXPECT_EQ(ParseCommandLine({"--", "--odd"}).documentPath, "--odd");
}

TEST(CommandLine, ScreenshotWithAndWithoutSize) {
  const CommandLine plain = ParseCommandLine({"--screenshot", "a.png"});
  EXPECT_EQ(plain.action, Action::kScreenshot);
  EXPECT_EQ(plain.screenshotPath, "a.png");
  EXPECT_EQ(plain.width, 1024);
  EXPECT_EQ(plain.height, 700);

  const CommandLine sized = ParseCommandLine({"--size=1920x1080", "--screenshot=b.png"});
  EXPECT_EQ(sized.action, Action::kScreenshot);
  EXPECT_EQ(sized.width, 1920);
  EXPECT_EQ(sized.height, 1080);
}

TEST(CommandLine, MistakesGetOneLineAndNoSurprises) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--bogus"},
           {"--screenshot"},
           {"--screenshot", "a.png", "--size", "0x10"},
           {"--screenshot", "a.png", "--size", "12x"},
           {"--screenshot", "a.png", "--size", "99999x10"},
           {"--screenshot", "a.png", "--size", "-5x10"},
           {"--size", "10x10"},
           {"one", "two"},
           {"--swap-seconds"},
           {"--swap-seconds", "9"},
           {"--swap-seconds=601"},
           {"--swap-seconds", "20s"},
           {"--swap-seconds="},
           {"--swap-seconds", "+30"},
       }) {
    const CommandLine cl = ParseCommandLine(args);
    EXPECT_EQ(cl.action, Action::kError) << args.front();
    EXPECT_FALSE(cl.error.empty());
    EXPECT_EQ(cl.error.find('\n'), std::string::npos);
  }
}

TEST(CommandLine, QtsOwnOptionsAreLeftToQt) {
  const CommandLine cl =
      ParseCommandLine({"-platform", "xcb", "-display", ":3", "-style", "fusion", "game.kelv"});
  EXPECT_EQ(cl.action, Action::kRun);
  EXPECT_TRUE(cl.platformGiven);
  // The display the game asks first is the one Qt is handed.
  EXPECT_EQ(cl.qtPlatform, "xcb");
  EXPECT_EQ(cl.qtDisplay, ":3");
  EXPECT_EQ(cl.documentPath, "game.kelv");
}

TEST(CommandLine, ALongerSwapPeriodFromTheCommandLineOrTheSettings) {
  EXPECT_EQ(ParseCommandLine({}).swapSeconds, 0);
  EXPECT_EQ(ParseCommandLine({"--swap-seconds", "30"}).swapSeconds, 30);
  const CommandLine both = ParseCommandLine({"--swap-seconds=600", "game.kelv"});
  EXPECT_EQ(both.action, Action::kRun);
  EXPECT_EQ(both.swapSeconds, 600);
  EXPECT_EQ(both.documentPath, "game.kelv");

  // The settings file as a player would edit it.
  QTemporaryDir dir;
  const std::string path = dir.filePath("Kelvo.conf").toStdString();
  auto settingsHolding = [&](const std::string& text) {
    std::ofstream(path, std::ios::trunc) << text;
    SettingsStore settings;
    std::string why;
    EXPECT_TRUE(settings.Load(path, {kSwapSecondsKey}, &why)) << why;
    return settings;
  };
  EXPECT_EQ(ReadSwapSecondsSetting(settingsHolding("[Settings]\nPreviewPages=0\n")), std::nullopt);
  EXPECT_EQ(ReadSwapSecondsSetting(settingsHolding("[Settings]\nSwapSeconds=45\n")), 45);
  // Anything else is ignored, with a word on standard error.
  // One rule for both places: whole seconds written plainly.
  for (const char* bad : {"9", "601", "ten", "", "30.5", "+30"}) {
    EXPECT_EQ(ReadSwapSecondsSetting(
                  settingsHolding(std::string("[Settings]\nSwapSeconds=") + bad + "\n")),
              std::nullopt)
        << bad;
  }
}
