#include "platform/language/translation.h"

#include <libintl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr const char* kDomain = "kelvo";
}  // namespace

void UseTranslationsFrom(const std::string& folder) {
  bindtextdomain(kDomain, folder.c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
}

// An empty text is not looked up: gettext answers "" with the catalogue's
// header.
const char* TranslatedText(const char* msgid) {
  return msgid[0] == '\0' ? msgid : dgettext(kDomain, msgid);
}

// gettext's own convention: the context and the text joined by EOT; where
// the catalogue has no such entry, the text as written.
const char* TranslatedInContext(const char* context, const char* msgid) {
  const std::string key = std::string(context) + '\004' + msgid;
  const char* found = dgettext(kDomain, key.c_str());
  return std::strcmp(found, key.c_str()) == 0 ? msgid : found;
}

const char* TranslatedCount(const char* singular, const char* plural, unsigned long n) {
  return dngettext(kDomain, singular, plural, n);
}

std::string FormattedText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<std::size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
  return text;
}

std::string TranslationLanguage() {
  // The header is the translation of "" in the catalogue gettext chose.
  const char* header = dgettext(kDomain, "");
  if (header[0] == '\0') return {};
  const char* field = std::strstr(header, "Language: ");
  if (!field || (field != header && field[-1] != '\n')) return {};
  field += std::strlen("Language: ");
  return std::string(field, std::strcspn(field, "\n"));
}
