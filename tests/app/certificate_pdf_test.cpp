// The certificate printed for real, into a PDF file at a printer's
// resolution, and read back with the poppler tools.  (The print command
// cancelled or failing: tests/app/hostile_input_test.cpp.)
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "support/qt/print_to_pdf.h"
#include "support/scripted_modal_ui.h"

namespace {

bool HaveTool(const char* name) {
  const std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

bool HavePoppler() { return HaveTool("pdftotext") && HaveTool("pdfinfo"); }
constexpr const char* kNoPoppler = "pdftotext/pdfinfo (poppler-utils) not installed";

// The standard output of a shell command; a command that fails is a test
// failure, so an empty output never passes for an empty page.
std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run: " << command;
    return out;
  }
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

struct CertificatePdfTest : testing::Test {
  CertificatePdfTest() : savedName(thePlayerNameDlg.m_strPlayerName) {
    thePlayerNameDlg.m_strPlayerName = "Zoë Ada";
    view.m_nGameState = kStateGameOver;
    view.m_nBonus[kTotalSlot] = kPerfectBonus;
    view.m_strPerfectDate = "March 05, 2024";
    view.m_strPerfectTime = "09:15:42 PM,";
    path = dir.filePath("certificate.pdf").toStdString();
  }
  ~CertificatePdfTest() override { thePlayerNameDlg.m_strPlayerName = savedName; }

  std::string Info() { return Shell("pdfinfo '" + path + "'"); }
  // The page count pdfinfo reports, or -1.
  int Pages() {
    const std::string info = Info();
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  }
  // The text on the page, with each run of white space made one space.
  std::string Text() {
    std::string raw = Shell("pdftotext -enc UTF-8 '" + path + "' -");
    std::string text;
    for (char c : raw) {
      const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\f' || c == '\t';
      if (space && (text.empty() || text.back() == ' ')) continue;
      text += space ? ' ' : c;
    }
    return text;
  }

  std::string savedName;
  QTemporaryDir dir;
  std::string path;
  CMyKelvoView view;
};

TEST_F(CertificatePdfTest, OnePageWithTheNameTheDateAndTheFixedLines) {
  // Skipped here, not in a helper: a skip inside a helper only leaves the
  // helper, and the test would go on to fail.
  if (!HavePoppler()) GTEST_SKIP() << kNoPoppler;
  ASSERT_TRUE(PrintViewToPdf(view, path, 600));
  EXPECT_EQ(Pages(), 1);
  EXPECT_NE(Info().find("612 x 792 pts"), std::string::npos) << Info();

  const std::string text = Text();
  for (const char* expected : {
           "This is to certify that on",
           "March 05, 2024 at 09:15:42 PM,",
           "Zoë Ada",
           "played a perfect game of Kelvo,",
           "getting a score of 1000 points plus 5110 bonus points",
           "for a grand total of 6110 points,",
           "the maximum attaintable in a single game of ten rounds.",
           "Congratulations Zoë Ada!!!",
       }) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin: " << text;
  }
  EXPECT_EQ(view.m_fontCertificate.GetSafeHandle(), nullptr);
}

TEST_F(CertificatePdfTest, MidGamePageIsBlankButStillOnePage) {
  if (!HavePoppler()) GTEST_SKIP() << kNoPoppler;
  view.m_nGameState = kStateRest;
  ASSERT_TRUE(PrintViewToPdf(view, path, 300));
  EXPECT_EQ(Pages(), 1);
  EXPECT_EQ(Text(), "");
}

TEST_F(CertificatePdfTest, FileThatCannotBeWrittenOrNonsenseResolutionFails) {
  EXPECT_FALSE(PrintViewToPdf(view, dir.filePath("no/such/dir/x.pdf").toStdString(), 300));
  EXPECT_FALSE(PrintViewToPdf(view, path, 0));
  EXPECT_FALSE(PrintViewToPdf(view, path, -600));
  EXPECT_FALSE(PrintViewToPdf(view, path, 1000000));
  EXPECT_FALSE(PrintViewToPdf(view, "", 300));
  EXPECT_FALSE(std::ifstream(path).good());
}

TEST_F(CertificatePdfTest, PdfPrintingLeavesTheModalInterfaceAsItWas) {
  ScriptedModalUI modal;
  ASSERT_TRUE(PrintViewToPdf(view, path, 150));
  EXPECT_TRUE(modal.printDialogs.empty());
  // The scripted interface answers again afterwards.
  AfxMessageBox("after");
  ASSERT_EQ(modal.boxes.size(), 1u);
}

}  // namespace
