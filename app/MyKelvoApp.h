// The application: builds the one document, main window and game view,
// shows the window maximized, and handles the About, New and Open commands.
#pragma once

#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "platform/interface/cmd_target.h"

class CMainFrame;
class QCoreApplication;
class CMyKelvoDoc;
class CMyKelvoView;

class CMyKelvoApp : public CCmdTarget {
 public:
  CMyKelvoApp();
  ~CMyKelvoApp() override;

  // The start-up steps, on a running QApplication.  Returns false (after
  // telling the player why) when the command line cannot be carried out;
  // the program then ends without a main window.
  bool InitInstance(const CommandLine& commandLine);
  // Saves the settings at exit.
  void ExitInstance();

  void OnAppAbout();
  void OnFileNew();
  void OnFileOpen();

  CMainFrame* Frame() const { return m_pFrame.get(); }
  CMyKelvoDoc* Document() const { return m_pDoc.get(); }
  CMyKelvoView* View() const { return m_pView.get(); }
  CommandRouter& Router() { return m_router; }

 private:
  // Opens `path` as the document; false with a message box when it cannot.
  bool OpenDocumentFile(const std::string& path);
  void UpdateFrameTitle();

  CommandRouter m_router;
  std::unique_ptr<CMyKelvoDoc> m_pDoc;
  std::unique_ptr<CMyKelvoView> m_pView;
  std::unique_ptr<CMainFrame> m_pFrame;
  CCmdTarget m_frameCommands;
  // The swap period the game started with, to tell whether the player
  // changed it.
  int m_nSwapSecondsAtStart = 0;
};

// Qt's own dialogs and words (the file chooser, the print dialog, the
// message boxes' buttons, the keys' names) in the language the game's texts
// are in, from Qt's translations (Debian's qt6-translations-l10n); where
// Qt has none for it they stay English.
void UseQtTranslations(QCoreApplication& app);

// The whole program: command line, start-up, message loop.  Returns the
// process exit status.
int RunKelvo(int argc, char** argv);
