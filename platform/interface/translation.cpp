#include "platform/interface/translation.h"

#include <libintl.h>

#include <cstring>
#include <string>

namespace {
constexpr const char* kDomain = "kelvo";
}  // namespace

void UseTranslationsFrom(const std::string& folder) {
  bindtextdomain(kDomain, folder.c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
}

const char* TranslatedText(const char* msgid) { return dgettext(kDomain, msgid); }

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
