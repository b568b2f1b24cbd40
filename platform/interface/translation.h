// The program's own texts in the player's language, through GNU gettext
// (glibc's own), catalogue "kelvo".  The language is the one the
// environment names, as for every desktop program (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG); a text without a translation, and every text under an
// English or C locale, stays exactly as written.
//
//   _("text")                 a text to translate, translated now
//   N_("text")                marked for the catalogue only (a table entry);
//                             translate it with _() where it is used
//   C_("context", "text")     the same words, translated by their use
//   TranslatedCount("%d second", "%d seconds", n)   the plural form for n
#pragma once

#include <string>

// The folder the catalogues are in (<folder>/<language>/LC_MESSAGES/
// kelvo.mo); the program calls it once, at start-up.
void UseTranslationsFrom(const std::string& folder);

const char* TranslatedText(const char* msgid);
const char* TranslatedInContext(const char* context, const char* msgid);
const char* TranslatedCount(const char* singular, const char* plural, unsigned long n);

#define _(text) TranslatedText(text)
#define N_(text) text
#define C_(context, text) TranslatedInContext(context, text)
