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
//   NC_("context", "text")    a table entry with its context; translate it
//                             with C_() where it is used
//   TranslatedCount("%d second", "%d seconds", n)   the plural form for n
//
// A text built from pieces is one phrase with placeholders for the
// translator, filled in by FormattedText: FormattedText(_("Round %d"), n).
// A translation may take the placeholders in another order ("%2$s ...
// %1$d"), as printf allows.
#pragma once

#include <string>

// The folder the catalogues are in (<folder>/<language>/LC_MESSAGES/
// kelvo.mo); the program calls it once, at start-up.
void UseTranslationsFrom(const std::string& folder);

// The translation of `msgid`, or `msgid` itself.  The compiler checks a
// translated format against its arguments as it would the English one.
const char* TranslatedText(const char* msgid) __attribute__((format_arg(1)));
const char* TranslatedInContext(const char* context, const char* msgid)
    __attribute__((format_arg(2)));
const char* TranslatedCount(const char* singular, const char* plural, unsigned long n)
    __attribute__((format_arg(1))) __attribute__((format_arg(2)));

// printf into a string, whatever its length.
std::string FormattedText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The language of the catalogue the texts come from ("de", "pt_BR"), as
// its header names it; empty while the texts are the program's own English.
std::string TranslationLanguage();

#define _(text) TranslatedText(text)
#define N_(text) text
#define C_(context, text) TranslatedInContext(context, text)
#define NC_(context, text) text
