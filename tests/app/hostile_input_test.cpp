// Hostile input from everything around the game: windows of absurd sizes in
// every state of a game, names pasted from anywhere, a settings file that is
// garbage or not a file at all, and a print that never happens.  Nothing may
// crash or hang, and the game must go on.  (A desktop without a sound
// server: tests/platform/sound/qt_sound_output_test.cpp.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/RecentFileList.h"
#include "app/SwapSeconds.h"
#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "platform/interface/cmd_target.h"
#include "platform/interface/command_ids.h"
#include "platform/interface/dialog.h"
#include "platform/qt/print_loop.h"
#include "res/resource_ids.h"
#include "support/fifo_watchdog.h"
#include "support/game_play.h"
#include "support/qt/pixel_host.h"
#include "support/scripted_modal_ui.h"

namespace {

// ---------------------------------------------------------------- sizes ---

struct ClientSize {
  int w;
  int h;
};

// Above this many pixels the window draws into nothing (the calls are still
// made and recorded): an 8K backing image per paint would make the suite slow.
constexpr long long kPixelBudget = 1920LL * 1200;

std::vector<ClientSize> HostileSizes() {
  std::vector<ClientSize> sizes = {
      {0, 0},     {1, 1},      {1, 4320},   {7680, 1},    {68, 68},     {69, 69},
      {320, 200}, {1024, 700}, {700, 1024}, {1920, 1080}, {3840, 2160}, {7680, 4320},
      {1024, 68}, {1024, 69},  {1025, 700}, {5, 2000},    {2000, 5}};
  // Spread evenly over the orders of magnitude, so that tiny, ordinary and
  // huge windows all come up.
  std::mt19937 random(20240611);
  std::uniform_real_distribution<double> scale(0.0, 1.0);
  for (int n = 0; n < 50; ++n) {
    const int w = static_cast<int>(std::lround(std::pow(7680.0, scale(random))));
    const int h = static_cast<int>(std::lround(std::pow(4320.0, scale(random))));
    sizes.push_back({w, h});
  }
  return sizes;
}

// A press and release on two cells as laid out for an ordinary window (in a
// tiny one every cell is the same point), then the real window's layout again.
void SwapAsInAnOrdinaryWindow(GameTable& t, bool magic) {
  t.view.ComputeLayout({0, 0, 1024, 700});
  if (magic) t.SwapToMagic();
  t.view.ComputeLayout(t.host.ClientRect());
}

// Paints twice: with pixels, the second paint must give the same image, so
// that nothing drawn depends on what an earlier paint left behind.
void CheckPaint(GameTable& t, const ClientSize& size, bool pixels, const char* state) {
  SCOPED_TRACE(state);
  t.host.Paint();
  EXPECT_EQ(t.view.m_rcClient, (RECT{0, 0, size.w, size.h}));
  EXPECT_EQ(t.view.m_nUnit, (size.h - 10) / 59);  // by the height alone, whatever the width
  if (!pixels) return;
  const QImage first = PixelHost::ImageOf(t.host).copy();
  t.host.Paint();
  EXPECT_TRUE(first == PixelHost::ImageOf(t.host)) << "a second paint changed the picture";
  const RECT& c = t.view.m_rcCell[5];
  if (t.view.m_nUnit >= 3 && c.left >= 0 && c.top >= 0 && c.right <= size.w && c.bottom <= size.h) {
    const QRgb p = PixelHost::ImageOf(t.host).pixel(c.left, c.top);
    EXPECT_EQ(RGB(qRed(p), qGreen(p), qBlue(p)), RGB(0xFA, 0xFA, 0x00));
  }
}

// A whole perfect game with the window at `size` throughout: every state is
// painted, and every handler's drawing (the square, the countdown, the score
// table, the banner) happens at that size.
void PlayPerfectGameAt(const ClientSize& size) {
  const bool pixels = static_cast<long long>(size.w) * size.h <= kPixelBudget;
  GameTable t(1024, 700, pixels ? std::make_unique<ImageCanvas>() : nullptr);
  t.host.Resize(size.w, size.h);
  CheckPaint(t, size, pixels, "idle");
  t.Enter();
  for (int round = 1; round <= kRounds; ++round) {
    ASSERT_EQ(t.view.m_nRound, round);
    if (round == 5) CheckPaint(t, size, pixels, "swap period");
    SwapAsInAnOrdinaryWindow(t, true);
    if (round == kRounds) t.host.ClearRecorded();
    t.RunOutSwapPeriod();
    if (round == 5) CheckPaint(t, size, pixels, "rest");
    if (round < kRounds) {
      ASSERT_EQ(t.view.m_nGameState, kStateRest);
      t.Enter();
    }
  }
  ASSERT_EQ(t.view.m_nGameState, kStateGameOver);
  EXPECT_EQ(t.view.m_nBonus[kTotalSlot], kPerfectBonus);
  // The banner went up at this size, letter by letter.
  std::string banner;
  for (const DrawCall& c : t.Calls())
    if (c.kind == DrawCall::kDrawText && c.rect.top == t.view.m_rcBanner.top) banner += c.text;
  EXPECT_NE(banner.find("PERFECT!"), std::string::npos) << banner;
  CheckPaint(t, size, pixels, "game over");
  EXPECT_TRUE(t.modal.boxes.empty());
}

TEST(HostileSizes, EveryStatePaintsAtAnySize) {
  for (const ClientSize& size : HostileSizes()) {
    SCOPED_TRACE(testing::Message() << size.w << "x" << size.h);
    PlayPerfectGameAt(size);
    if (HasFatalFailure()) return;
  }
}

// ---------------------------------------------------------------- names ---

// `count` characters (code points) of `piece`, repeated as often as needed.
std::string Characters(const std::string& piece, int count) {
  std::vector<std::string> points;
  for (char c : piece) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 || points.empty()) points.emplace_back();
    points.back() += c;
  }
  std::string out;
  for (int i = 0; i < count; ++i) out += points[static_cast<std::size_t>(i) % points.size()];
  return out;
}

// Keeps the one name box's name across a test.
struct SavedPlayerName {
  SavedPlayerName() : name(thePlayerNameDlg.m_strPlayerName) {}
  ~SavedPlayerName() { thePlayerNameDlg.m_strPlayerName = name; }
  std::string name;
};

struct HostileName {
  const char* what;
  std::string piece;  // repeated up to the length wanted
};

const std::vector<HostileName>& HostileNames() {
  static const std::vector<HostileName> names = {
      {"wide letters", "W"},
      // Family and flag sequences: several code points drawn as one picture.
      {"emoji", "👨\u200D👩\u200D👧\u200D👦🇫🇷🎲"},
      // One letter carrying a tower of accents far taller than the line.
      {"combining marks", "e\u0301\u0302\u0303\u0308\u030A\u0327\u0328\u0331"},
      // Right-to-left text mixed with digits and a direction override that
      // would turn the rest of the line around.
      {"right-to-left", "\u202Eשלום مرحبا 123 "},
      {"tabs and control characters", "\t\x01\x1B[31m\r\n\x7F\u200B\u2028"},
      // No input method delivers these, but a name must never be able to
      // make the drawing read past its end: continuation bytes with no lead,
      // an over-long encoding, a surrogate, and (as the 30th character) a
      // sequence cut short at the very end.
      {"bytes that are not text", "Z\x80\xBF\xC3\xFF\xFE\xC0\xAF\xED\xA0\x80o"},
  };
  return names;
}

struct HostileNamesTest : testing::Test {
  HostileNamesTest() {
    thePlayerNameDlg.m_strPlayerName.clear();
    host.Attach(&view);
    router.AddTarget(&view);
  }
  ~HostileNamesTest() override { host.Attach(nullptr); }
  void EnterName(const std::string& name) {
    modal.editDialog = [name](std::map<int, std::string>& controls) {
      controls[IDC_PLAYER_NAME] = name;
    };
    ASSERT_TRUE(router.Execute(ID_REGISTER_ENTER_NAME));
  }
  // `after` differs from `before` somewhere inside `box` and nowhere outside.
  static void ExpectChangedOnlyInside(const QImage& before, const QImage& after, const RECT& box) {
    ASSERT_EQ(before.size(), after.size());
    ASSERT_EQ(before.format(), after.format());
    bool inside = false;
    for (int y = 0; y < after.height(); ++y) {
      const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
      const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
      for (int x = 0; x < after.width(); ++x) {
        if (was[x] == now[x]) continue;
        const bool in = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
        ASSERT_TRUE(in) << "pixel " << x << "," << y << " outside the player box changed";
        inside = true;
      }
    }
    EXPECT_TRUE(inside) << "the name was not drawn";
  }

  SavedPlayerName saved;
  ScriptedModalUI modal;
  CMyKelvoView view;
  PixelHost host{640, 480};
  CommandRouter router;
};

TEST_F(HostileNamesTest, ThirtyCharactersOfAnythingAreStoredAsTypedAndDrawnInTheBox) {
  for (const ClientSize size :
       {ClientSize{640, 480}, ClientSize{1024, 700}, ClientSize{200, 300}}) {
    host.Resize(size.w, size.h);
    for (const HostileName& kind : HostileNames()) {
      SCOPED_TRACE(testing::Message() << kind.what << " at " << size.w << "x" << size.h);
      const std::string name = Characters(kind.piece, CPlayerNameDlg::kMaxNameChars);
      ASSERT_EQ(CountCharacters(name), 30);
      EnterName("");
      host.Paint();
      const QImage unnamed = host.Image().copy();

      // The line drawn at once, as the box closes...
      EnterName(name);
      EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, name);
      EXPECT_EQ(view.m_strPlayerLabel, "Player: " + name);
      EXPECT_TRUE(modal.boxes.empty());
      ExpectChangedOnlyInside(unnamed, host.Image(), view.m_rcPlayerLabel);
      // ...and by the next paint.
      host.Paint();
      ExpectChangedOnlyInside(unnamed, host.Image(), view.m_rcPlayerLabel);

      // One character more is refused, whatever its kind, and the name kept.
      EnterName(Characters(kind.piece, CPlayerNameDlg::kMaxNameChars + 1));
      EXPECT_EQ(modal.boxes.size(), 1u);
      EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, name);
      modal.boxes.clear();
      modal.refusedOk = false;
    }
  }
}

// ------------------------------------------------------------- settings ---

struct DamagedSettingsTest : testing::Test {
  DamagedSettingsTest() : path(QSettings().fileName()) {
    QDir().mkpath(QFileInfo(path).absolutePath());
  }
  ~DamagedSettingsTest() override {
    RemoveStore();
    RecentFileList::Instance().Clear();
  }
  void RemoveStore() {
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
      QDir(path).removeRecursively();
    else
      ::unlink(path.toUtf8().constData());
  }
  void WriteStore(const QByteArray& bytes) {
    RemoveStore();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // Load, use and save the list: nothing may throw or crash, and what is
  // read is at most four non-empty names.
  void UseTheList() {
    RecentFileList& list = RecentFileList::Instance();
    EXPECT_NO_THROW(list.Load());
    EXPECT_LE(list.Files().size(), static_cast<std::size_t>(RecentFileList::kSize));
    for (const std::string& f : list.Files()) EXPECT_FALSE(f.empty());
    list.Add("/home/player/round.kelv");
    EXPECT_NO_THROW(list.Save());
    EXPECT_NO_THROW(list.Load());
  }

  QString path;
};

TEST_F(DamagedSettingsTest, GarbageInTheSettingsFileIsIgnored) {
  std::mt19937 random(7);
  QByteArray noise(64 * 1024, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);

  QByteArray huge = "[Recent File List]\nFile1=" + QByteArray(1 << 20, 'x') + "\n";
  for (int i = 0; i < 5000; ++i) huge += "File" + QByteArray::number(i) + "=y\n";

  const std::vector<std::pair<const char*, QByteArray>> stores = {
      {"random bytes", noise},
      {"unterminated section", "[Recent File List\nFile1=\\"},
      {"bad escapes", "[Recent%20File%20List]\nFile1=\"\\x\\u\\\nFile2=\\0\\0\n"},
      {"bogus variants",
       "[Recent File List]\nFile1=@Variant(\\0\\0\\0\\x7f\\xff\\xff\\xff\\xff)\n"
       "File2=@ByteArray(\nFile3=@Rect(1 2)\n"
       "[Settings]\nPreviewPages=@Variant(\\0\\0\\0\\x2\\x80)\n"},
      {"huge", huge},
      {"UTF-16 with a byte-order mark", QByteArray("\xFF\xFE[\0R\0", 6)},
      // Qt finds that only when it writes the file, and drops the line.
      {"a line that is no setting", "[Settings]\nPreviewPages=0\nnot a setting\n"},
      {"empty", QByteArray()},
  };
  for (const auto& [what, bytes] : stores) {
    SCOPED_TRACE(what);
    WriteStore(bytes);
    testing::internal::CaptureStderr();
    UseTheList();
    const std::string said = testing::internal::GetCapturedStderr();
    // What the game cannot read whole it leaves as it was, and anything
    // else it can write back.
    EXPECT_EQ(said.find("cannot save"), std::string::npos) << said;
    QFile file(path);
    if (said.find("left alone") != std::string::npos && file.open(QIODevice::ReadOnly)) {
      EXPECT_TRUE(file.readAll() == bytes) << said;
    }
  }
}

TEST_F(DamagedSettingsTest, WhatIsNoRegularFileIsLeftAloneAndNothingWaitsOnIt) {
  QTemporaryDir dir;
  FifoWatchdog fifo((dir.path() + "/pipe").toStdString());
  ASSERT_TRUE(fifo.Created());
  const std::string store = path.toStdString();
  const std::string device = (dir.path() + "/device").toStdString();
  // A node like /dev/null's, made where it harms nothing.
  const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
  if (!haveDevice) std::fprintf(stderr, "device node case skipped: mknod needs root\n");
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string left;  // what must still be there
    mode_t kind;
  };
  const std::vector<Case> cases = {
      {"a named pipe", [&] { ::mkfifo(store.c_str(), 0600); }, store, S_IFIFO},
      {"a link to a named pipe", [&] { ::symlink(fifo.Path().c_str(), store.c_str()); },
       fifo.Path(), S_IFIFO},
      {"a link to a device", [&] { ::symlink(device.c_str(), store.c_str()); }, device, S_IFCHR},
      {"a folder", [&] { QDir().mkpath(path); }, store, S_IFDIR},
      // Qt's settings class waited forever on a lock file it could not make.
      {"a folder in the lock file's place", [&] { QDir().mkpath(path + ".lock"); }, store + ".lock",
       S_IFDIR},
  };
  for (const Case& c : cases) {
    if (c.kind == S_IFCHR && !haveDevice) continue;
    SCOPED_TRACE(c.what);
    RemoveStore();
    c.make();
    fifo.Arm();
    UseTheList();
    EXPECT_FALSE(fifo.Disarm()) << "the settings waited on a pipe";
    struct stat st {};
    ASSERT_EQ(::lstat(c.left.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & S_IFMT, c.kind) << "replaced";
    // The game went on with its defaults: nothing was read or kept.
    if (c.left != store + ".lock") {
      EXPECT_TRUE(RecentFileList::Instance().Files().empty());
    }
    QDir(path + ".lock").removeRecursively();
  }
}

TEST_F(DamagedSettingsTest, AnUnchangedFileIsNotWrittenAndNamesAreKeptAsBytesNewestFirst) {
  RemoveStore();
  const QString spaced = QStringLiteral("/home/p/a, b; c=d .kelv");
  const QString marked = QStringLiteral("@home");
  const QString quoted = QStringLiteral("/home/p/\u00e9 \"q\" \\ \t1.kelv");
  {
    // As an earlier version of the game left it.
    QSettings settings;
    settings.setValue("Recent File List/File1", spaced);
    settings.setValue("Recent File List/File2", marked);
    settings.setValue("Recent File List/File3", quoted);
    settings.setValue("Settings/PreviewPages", 0);
    settings.setValue("Another Program/Its Value", QStringList{"x", "y"});
  }
  RecentFileList& list = RecentFileList::Instance();
  list.Load();
  EXPECT_EQ(list.Files(), (std::vector<std::string>{spaced.toStdString(), marked.toStdString(),
                                                    quoted.toStdString()}));
  struct stat before {};
  ASSERT_EQ(::stat(path.toUtf8().constData(), &before), 0);
  list.Save();
  struct stat after {};
  ASSERT_EQ(::stat(path.toUtf8().constData(), &after), 0);
  EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mtim.tv_sec == before.st_mtim.tv_sec &&
              after.st_mtim.tv_nsec == before.st_mtim.tv_nsec)
      << "rewritten though nothing changed";

  // A file name that is not UTF-8 is stored as its bytes; Qt reads it as
  // the same bytes, and what else the file held stays.
  const std::string bytes = "/tmp/\xff\xfe \x01name\x80.kelv";
  list.Add(bytes);
  list.Save();
  list.Clear();
  list.Load();
  ASSERT_EQ(list.Files().size(), 4u);
  EXPECT_EQ(list.Files()[0], bytes);
  EXPECT_EQ(list.Files()[1], spaced.toStdString());
  QSettings settings;
  EXPECT_EQ(settings.value("Recent File List/File1").toByteArray(),
            QByteArray::fromStdString(bytes));
  EXPECT_EQ(settings.value("Recent File List/File3").toString(), marked);
  EXPECT_EQ(settings.value("Recent File List/File4").toString(), quoted);
  EXPECT_EQ(settings.value("Another Program/Its Value").toStringList(), (QStringList{"x", "y"}));
  // Newest first, four at most: a name added again moves to the front.
  list.Add(spaced.toStdString());
  list.Add("e");
  EXPECT_EQ(list.Files(),
            (std::vector<std::string>{"e", spaced.toStdString(), bytes, marked.toStdString()}));
}

// Files a player or another program may leave: each is read as Qt's
// settings class reads it, and a save keeps every value in it; one that a
// save would grow past the size limit (and then never be read again) is
// not written at all.
TEST_F(DamagedSettingsTest, OddButValidFilesKeepEveryValueThroughASave) {
  const QByteArray big = "[Settings]\nSwapSeconds=45\n";
  QByteArray shortKeys = "[Many]\n";
  for (int i = 0; shortKeys.size() < (1 << 20) - 100; ++i)
    shortKeys += "k" + QByteArray::number(i) + "=1\n";
  // Just under the limit; written back in the usual layout (a blank line
  // between sections) it would be over it.
  QByteArray growing = big;
  for (int i = 0; i < 200; ++i) growing += "[S" + QByteArray::number(i) + "]\nk=1\n";
  growing += "[Big]\nv=";
  growing += QByteArray((1 << 20) - 10 - growing.size(), 'x') + "\n";
  const struct {
    const char* what;
    QByteArray bytes;
    bool grows = false;
  } stores[] = {
      // Written back as it was, the backslash joined the next line to it.
      {"a value ending in a backslash and a space",
       "[Settings]\nSwapSeconds=45\\ \nPreviewPages=0\n"},
      {"a UTF-8 byte-order mark", "\xEF\xBB\xBF[Settings]\nSwapSeconds=45\nPreviewPages=0\n"},
      // Under the size limit, but a great many keys to read and write.
      {"a megabyte of short keys", shortKeys + big},
      {"a file that would grow past the limit", growing, true},
  };
  const std::string odd = "C:\\dir\\ ";
  for (const auto& [what, bytes, grows] : stores) {
    SCOPED_TRACE(what);
    WriteStore(bytes);
    RecentFileList& list = RecentFileList::Instance();
    list.Load();
    EXPECT_EQ(ReadSwapSecondsSetting(AppSettings()), 45);
    list.Add(odd);
    testing::internal::CaptureStderr();
    list.Save();
    const std::string said = testing::internal::GetCapturedStderr();
    list.Clear();
    list.Load();
    EXPECT_EQ(ReadSwapSecondsSetting(AppSettings()), 45);
    if (grows) {
      EXPECT_NE(said.find("larger than"), std::string::npos) << said;
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      EXPECT_TRUE(file.readAll() == bytes) << "written";
      continue;
    }
    EXPECT_EQ(said, "");
    EXPECT_EQ(list.Files(), std::vector<std::string>{odd});
    QSettings written(path, QSettings::IniFormat);
    EXPECT_FALSE(written.childGroups().contains(QStringLiteral("General")));
    EXPECT_EQ(written.value("Settings/SwapSeconds").toString(), QStringLiteral("45"));
  }
}

TEST(SettingsPlace, FollowsXdgThenHomeThenThePasswordDatabaseButNeverTheRoot) {
  const std::string tail = "/Local AppWizard-Generated Applications/Kelvo.conf";
  EXPECT_EQ(SettingsFilePathFor("/x/config", "/home/p", "/home/q"), "/x/config" + tail);
  EXPECT_EQ(SettingsFilePathFor("relative", "/home/p", "/home/q"), "/home/p/.config" + tail);
  // HOME unset, as for a root shell started without one.
  EXPECT_EQ(SettingsFilePathFor(nullptr, nullptr, "/root"), "/root/.config" + tail);
  EXPECT_EQ(SettingsFilePathFor(nullptr, "", "/"), std::nullopt);
  EXPECT_EQ(SettingsFilePathFor(nullptr, "/", nullptr), std::nullopt);
}

// ---------------------------------------------------------------- print ---

TEST(NoPrint, ACancelledOrFailedPrintLeavesTheGameAsItWas) {
  SavedPlayerName saved;
  GameTable t;
  thePlayerNameDlg.m_strPlayerName = "Ada";
  t.Enter();
  for (int round = 1; round <= kRounds; ++round) {
    t.PlayRound(true);
    if (round < kRounds) t.Enter();
  }
  ASSERT_EQ(t.view.m_nBonus[kTotalSlot], kPerfectBonus);
  CommandRouter router;
  router.AddTarget(&t.view);
  ASSERT_TRUE(router.IsEnabled(ID_FILE_PRINT));

  int scores[12], bonuses[12], cells[10];
  std::copy(std::begin(t.view.m_nScore), std::end(t.view.m_nScore), scores);
  std::copy(std::begin(t.view.m_nBonus), std::end(t.view.m_nBonus), bonuses);
  std::copy(std::begin(t.view.m_nCell), std::end(t.view.m_nCell), cells);
  auto unchanged = [&] {
    EXPECT_EQ(t.view.m_nGameState, kStateGameOver);
    EXPECT_TRUE(std::equal(scores, scores + 12, t.view.m_nScore));
    EXPECT_TRUE(std::equal(bonuses, bonuses + 12, t.view.m_nBonus));
    EXPECT_TRUE(std::equal(cells, cells + 10, t.view.m_nCell));
    EXPECT_EQ(t.view.m_fontCertificate.GetSafeHandle(), nullptr);
    // Still printable: the certificate is not lost by a failed attempt.
    EXPECT_TRUE(router.IsEnabled(ID_FILE_PRINT));
  };

  t.modal.printAnswer = FALSE;  // the print dialog cancelled
  ASSERT_TRUE(router.Execute(ID_FILE_PRINT));
  EXPECT_EQ(t.modal.printDialogs, std::vector<UINT>{1});  // asked for one page
  EXPECT_TRUE(t.modal.boxes.empty());
  unchanged();

  t.modal.printAnswer = TRUE;  // accepted, but there is no printer
  t.modal.print = PrintJob;
  ASSERT_TRUE(router.Execute(ID_FILE_PRINT));
  ASSERT_EQ(t.modal.boxes.size(), 1u);
  EXPECT_NE(t.modal.boxes[0].text.find("printer"), std::string::npos);
  EXPECT_EQ(t.modal.boxes[0].style & 0xF0, MB_ICONEXCLAMATION);
  unchanged();

  // The next game starts as usual.
  t.Enter();
  EXPECT_EQ(t.view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(t.view.m_nRound, 1);
}

}  // namespace
