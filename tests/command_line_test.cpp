#include <gtest/gtest.h>

#include "app/CommandLine.h"

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
       }) {
    const CommandLine cl = ParseCommandLine(args);
    EXPECT_EQ(cl.action, Action::kError) << args.front();
    EXPECT_FALSE(cl.error.empty());
    EXPECT_EQ(cl.error.find('\n'), std::string::npos);
  }
}

TEST(CommandLine, QtsOwnOptionsAreLeftToQt) {
  const CommandLine cl = ParseCommandLine({"-platform", "offscreen", "game.kelv"});
  EXPECT_EQ(cl.action, Action::kRun);
  EXPECT_TRUE(cl.platformGiven);
  EXPECT_EQ(cl.documentPath, "game.kelv");
}
