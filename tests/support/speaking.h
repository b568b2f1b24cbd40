// The player's language for as long as it lives, set the way a player's
// desktop sets it: LANGUAGE under the C.UTF-8 locale (gettext ignores
// LANGUAGE under plain C), with the catalogues the build compiled.  An
// empty language is the program's own English.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

#include "platform/interface/translation.h"

class Speaking {
 public:
  explicit Speaking(const char* language) {
    if (const char* old = std::getenv("LANGUAGE")) m_old = old, m_had = true;
    setenv("LANGUAGE", language, 1);
    UseTranslationsFrom(KELVO_BINARY_DIR "/locale");
    // Setting the locale also tells gettext to look its catalogues up again.
    std::setlocale(LC_ALL, "C.UTF-8");
  }
  ~Speaking() {
    if (m_had)
      setenv("LANGUAGE", m_old.c_str(), 1);
    else
      unsetenv("LANGUAGE");
    std::setlocale(LC_ALL, "C");
  }
  Speaking(const Speaking&) = delete;
  Speaking& operator=(const Speaking&) = delete;

 private:
  std::string m_old;
  bool m_had = false;
};
