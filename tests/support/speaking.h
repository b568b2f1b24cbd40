// The player's language for as long as it lives, set the way a player's
// desktop sets it: LANGUAGE under a UTF-8 locale, with the catalogues the
// build compiled.  An empty language is the program's own English.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

#include "platform/language/translation.h"

// A UTF-8 locale under which gettext reads LANGUAGE: the build's copy of
// C.UTF-8 under a name of its own (newer glibc, 2.41, ignores LANGUAGE
// under C.UTF-8 as under C), or C.UTF-8 itself where there is no copy.
// Setting the locale also tells gettext to look its catalogues up again.
inline void UseLocaleThatReadsLanguage() {
  const char* old = std::getenv("LOCPATH");
  const std::string kept = old ? old : "";
  setenv("LOCPATH", KELVO_BINARY_DIR "/test-locale", 1);
  const bool copied = std::setlocale(LC_ALL, "kelvo_TEST.UTF-8") != nullptr;
  // The locale is loaded: the path is needed no more.
  if (old)
    setenv("LOCPATH", kept.c_str(), 1);
  else
    unsetenv("LOCPATH");
  if (!copied) std::setlocale(LC_ALL, "C.UTF-8");
}

class Speaking {
 public:
  explicit Speaking(const char* language) {
    if (const char* old = std::getenv("LANGUAGE")) m_old = old, m_had = true;
    setenv("LANGUAGE", language, 1);
    UseTranslationsFrom(KELVO_BINARY_DIR "/locale");
    UseLocaleThatReadsLanguage();
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
