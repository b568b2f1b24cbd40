// The platform's services on Qt, installed for as long as this object lives:
// message boxes, dialogs and the print dialog as real windows, the sound
// output to the desktop's sound server, the program's resources, and the
// window kept going while a file call is waited for.  Made once the
// application object exists, before the main window.
#pragma once

#include <memory>

class QtModalUI;
class QtResourceFinder;
class QtSoundOutput;
class IWaitingLoop;

class QtPlatform {
 public:
  QtPlatform();
  ~QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  QtSoundOutput& Sound() { return *m_sound; }

 private:
  std::unique_ptr<QtModalUI> m_modalUI;
  std::unique_ptr<QtSoundOutput> m_sound;
  std::unique_ptr<QtResourceFinder> m_resources;
  std::unique_ptr<IWaitingLoop> m_waitingLoop;
};
