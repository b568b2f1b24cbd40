#include "app/MyKelvoApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>

#include "app/AboutDlg.h"
#include "app/AppSettings.h"
#include "app/DisplayStartGuard.h"
#include "app/MainFrame.h"
#include "app/MyKelvoDoc.h"
#include "app/RecentFileList.h"
#include "app/ScaleFactorCheck.h"
#include "app/Screenshot.h"
#include "app/SwapSeconds.h"
#include "game/MyKelvoView.h"
#include "platform/interface/command_ids.h"
#include "platform/interface/modal_ui.h"
#include "platform/interface/sound_output.h"
#include "platform/language/translation.h"
#include "platform/qt/qt_modal_ui.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/termination_signals.h"
#include "platform/qt/view_widget.h"
#include "platform/window_system/display_probe.h"
#include "platform/window_system/session_bus.h"
#include "res/app_resources.h"
#include "res/main_menu.h"

namespace {
// After the first frame is on screen: load the window's icon and open the
// sound device (they cost time the first frame does not need), and for the start-up benchmark
// (bench/startup.sh) print the wall-clock time of that frame and end the
// program shortly after; for tools/check-desktop, print where the window
// and the menus are at that frame.
void AfterFirstFrame(CMainFrame* frame) {
  const bool report = std::getenv("KELVO_REPORT_FIRST_FRAME") != nullptr;
  const bool reportWindow = std::getenv("KELVO_REPORT_WINDOW") != nullptr;
  frame->View()->SetFirstFrameHook([report, reportWindow, frame] {
    if (reportWindow) {
      std::fputs(frame->PlacementReport().c_str(), stderr);
      std::fflush(stderr);
    }
    if (report) {
      timespec now{};
      clock_gettime(CLOCK_REALTIME, &now);
      std::fprintf(stderr, "kelvo-first-frame %lld.%09ld\n", static_cast<long long>(now.tv_sec),
                   now.tv_nsec);
      QTimer::singleShot(300, [] { QCoreApplication::quit(); });
    }
    QTimer::singleShot(0, frame, [frame] {
      frame->LoadIcon();
      SoundOutput().WarmUp();
    });
  });
}
}  // namespace

CMyKelvoApp::CMyKelvoApp() {
  // The platform's message boxes and dialogs take their caption and their
  // templates from what the application hands over as it is made.
  SetAppResources(KelvoAppResources());
  OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
  OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
  OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
}

CMyKelvoApp::~CMyKelvoApp() {
  SetModalParent(nullptr);
  // The window goes first: it shows the view.
  m_pFrame.reset();
  m_pView.reset();
}

bool CMyKelvoApp::InitInstance(const CommandLine& commandLine) {
  QCoreApplication::setOrganizationName(QString::fromLatin1(kSettingsKey));
  QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  RecentFileList::Instance().Load();

  m_pDoc = std::make_unique<CMyKelvoDoc>();
  m_pView = std::make_unique<CMyKelvoView>();
  // A longer swap period, for a player who needs one: the command line
  // first, then the settings.
  m_pView->SetSwapSeconds(
      commandLine.swapSeconds != 0
          ? commandLine.swapSeconds
          : ReadSwapSecondsSetting(AppSettings()).value_or(kDefaultSwapSeconds));
  m_nSwapSecondsAtStart = m_pView->SwapSeconds();
  m_pFrame = std::make_unique<CMainFrame>(m_router);
  m_frameCommands.OnCommand(ID_APP_EXIT, [this] { m_pFrame->close(); });
  // Commands go to the view first, then the document, the frame and the
  // application.
  m_router.AddTarget(m_pView.get());
  m_router.AddTarget(m_pDoc.get());
  m_router.AddTarget(&m_frameCommands);
  m_router.AddTarget(this);
  m_pFrame->SetView(m_pView.get());
  SetModalParent(m_pFrame.get());

  if (!commandLine.documentPath.empty()) {
    std::string error;
    if (!m_pDoc->OnOpenDocument(commandLine.documentPath, &error)) {
      std::fprintf(stderr, "kelvo: %s\n", error.c_str());
      AfxMessageBox(error, MB_ICONEXCLAMATION);
      return false;
    }
  }
  UpdateFrameTitle();
  m_pFrame->UpdateCommandUI();
  AfterFirstFrame(m_pFrame.get());
  m_pFrame->ShowFillingTheScreen();
  m_pFrame->View()->repaint();
  return true;
}

void CMyKelvoApp::ExitInstance() {
  // A period chosen with the game's keys is kept for the next start; one
  // given on the command line alone is not.
  if (m_pView && m_pView->SwapSeconds() != m_nSwapSecondsAtStart)
    KeepSwapSecondsSetting(AppSettings(), m_pView->SwapSeconds());
  RecentFileList::Instance().Save();
}

void CMyKelvoApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}

void CMyKelvoApp::OnFileNew() {
  // The same document and view stay; only the document starts afresh and
  // the screen is painted again.  The game is not touched.
  m_pDoc->OnNewDocument();
  UpdateFrameTitle();
  m_pView->Invalidate();
}

void CMyKelvoApp::OnFileOpen() {
  // TRANSLATORS: the file chooser's caption (File > Open, Ctrl+O).
  const std::string path = ModalUI().ChooseFile(false, _("Open"));
  if (path.empty()) return;
  if (OpenDocumentFile(path)) {
    UpdateFrameTitle();
    m_pView->Invalidate();
  }
}

bool CMyKelvoApp::OpenDocumentFile(const std::string& path) {
  std::string error;
  if (m_pDoc->OnOpenDocument(path, &error)) return true;
  AfxMessageBox(error, MB_ICONEXCLAMATION);
  return false;
}

void CMyKelvoApp::UpdateFrameTitle() {
  // Application title, " - ", document title; the view rewrites the caption
  // at every paint.
  m_pFrame->setWindowTitle(
      QString::fromStdString(std::string(kAppTitle) + " - " + m_pDoc->GetTitle()));
}

namespace {
// The catalogues beside a built game (<build>/locale), else where the game
// is installed (<prefix>/share/locale beside <prefix>/games), wherever the
// prefix is.
std::string TranslationsFolder() {
  std::error_code error;
  const std::filesystem::path folder =
      std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  if (std::filesystem::is_directory(folder / "locale", error)) return folder / "locale";
  return folder.parent_path() / "share" / "locale";
}

bool HasDisplay(const CommandLine& cl) {
  return cl.platformGiven || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
         std::getenv("QT_QPA_PLATFORM");
}
}  // namespace

void UseQtTranslations(QCoreApplication& app) {
  const std::string language = TranslationLanguage();
  if (language.empty()) return;
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_") + QString::fromStdString(language),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

int RunKelvo(int argc, char** argv) {
  // The player's language, from the environment, for every text the game
  // writes from here on (the command line's own messages too).
  std::setlocale(LC_ALL, "");
  UseTranslationsFrom(TranslationsFolder());
  std::vector<std::string> args(argv + 1, argv + argc);
  const CommandLine cl = ParseCommandLine(args);
  switch (cl.action) {
    case CommandLine::Action::kHelp:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kVersion:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kError:
      std::fprintf(stderr, "kelvo: %s\n%s", cl.error.c_str(), UsageText().c_str());
      return 2;
    case CommandLine::Action::kScreenshot:
      return SaveOpeningScreenshot(argc, argv, cl);
    case CommandLine::Action::kRun:
      break;
  }
  if (!HasDisplay(cl)) {
    std::fprintf(stderr,
                 _("kelvo: no graphical display found; start it from a desktop session, or "
                   "without one run: %s\n"),
                 kPlayWithoutADesktop);
    return 1;
  }
  // On Wayland, Qt draws its own caption only through its EGL buffer
  // integration, which loads the whole OpenGL stack (some 55 MB more at
  // start-up) for a window that is never drawn with OpenGL, and that caption
  // has minimize and maximize buttons the game's window must not have.
  // Where the compositor draws no caption, the window draws its own
  // (platform/caption_bar.h).
  if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
  // A display or session bus that takes the connection and never answers
  // would hold Qt up for ever, with no window and no word.
  constexpr std::chrono::seconds kAnswerLimit{3};
  auto displayProbe = std::make_unique<DisplayProbe>(cl.qtPlatform, cl.qtDisplay, kAnswerLimit);
  if (!displayProbe->Silent().empty()) {
    std::fprintf(stderr,
                 _("kelvo: cannot open the display (%s): its server took the connection but "
                   "did not answer within %lld s\n"),
                 displayProbe->Silent().c_str(), static_cast<long long>(kAnswerLimit.count()));
    return 1;
  }
  const std::string said =
      ChooseSessionBus(kAnswerLimit, cl.qtDisplay.empty() ? displayProbe->X11() : nullptr);
  if (!said.empty()) std::fprintf(stderr, "kelvo: %s\n", said.c_str());
  DisplayStartGuard displayGuard;
  QApplication qapp(argc, argv);
  displayGuard.Opened();
  UseQtTranslations(qapp);
  displayProbe.reset();
  const std::string scaleProblem = ScaleFactorProblem(QGuiApplication::primaryScreen());
  if (!scaleProblem.empty()) {
    std::fprintf(stderr, "kelvo: %s\n", scaleProblem.c_str());
    return 1;
  }
  int status = 1;
  {
    QtPlatform platform;
    CMyKelvoApp app;
    if (!app.InitInstance(cl)) return 1;
    // A logout (SIGTERM) or a closed terminal (SIGHUP) ends the game as
    // Alt+F4 does, the settings saved below; quitting as well ends a dialog
    // that was open at the time.
    const TerminationSignals termination([&app] {
      app.Frame()->close();
      QCoreApplication::quit();
    });
    status = QApplication::exec();
    app.ExitInstance();
    // The settings are saved.  A sound thread held up by a sound server
    // that does not answer is not waited for, nor is the toolkit torn down
    // around it: the process ends here.
    if (!SoundOutput().Shutdown()) {
      std::fflush(nullptr);
      std::_Exit(status);
    }
  }
  return status;
}
