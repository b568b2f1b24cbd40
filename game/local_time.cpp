#include "game/local_time.h"

#include <ctime>
#include <string_view>

#include "platform/language/translation.h"

namespace {

const char* const kMonths[12] = {
    // TRANSLATORS: the months as they stand in a date, after the day's
    // number ("9 December 2026"): where the language declines them there
    // (Russian "декабря", Polish "grudnia"), the form for a date.
    NC_("month in a date", "January"),   NC_("month in a date", "February"),
    NC_("month in a date", "March"),     NC_("month in a date", "April"),
    NC_("month in a date", "May"),       NC_("month in a date", "June"),
    NC_("month in a date", "July"),      NC_("month in a date", "August"),
    NC_("month in a date", "September"), NC_("month in a date", "October"),
    NC_("month in a date", "November"),  NC_("month in a date", "December"),
};
const char* const kWeekdays[7] = {
    // TRANSLATORS: the weekdays, for a clock format that writes one (%A).
    NC_("weekday", "Sunday"),    NC_("weekday", "Monday"),   NC_("weekday", "Tuesday"),
    NC_("weekday", "Wednesday"), NC_("weekday", "Thursday"), NC_("weekday", "Friday"),
    NC_("weekday", "Saturday"),
};

// A name put into a strftime format as plain text.
void AppendLiterally(std::string& format, const char* text) {
  for (; *text; ++text) {
    if (*text == '%') format += '%';
    format += *text;
  }
}

}  // namespace

std::string LocalTimeText(std::int64_t when, const char* format) {
  const std::time_t t = static_cast<std::time_t>(when);
  std::tm local{};
  if (!localtime_r(&t, &local)) return {};
  // The names go in first; strftime writes the rest.  A conversion may
  // carry flags, a width and an E or O modifier before its letter.
  std::string rewritten;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      rewritten += *p;
      continue;
    }
    const char* start = p++;
    while (*p && std::string_view("_-0^#").find(*p) != std::string_view::npos) ++p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == 'E' || *p == 'O') ++p;
    if (*p == 'B' && local.tm_mon >= 0 && local.tm_mon < 12) {
      AppendLiterally(rewritten, C_("month in a date", kMonths[local.tm_mon]));
    } else if (*p == 'A' && local.tm_wday >= 0 && local.tm_wday < 7) {
      AppendLiterally(rewritten, C_("weekday", kWeekdays[local.tm_wday]));
    } else if (*p == 'p') {
      // TRANSLATORS: a 12-hour clock's before and after noon (%p).
      AppendLiterally(rewritten,
                      local.tm_hour < 12 ? C_("time of day", "AM") : C_("time of day", "PM"));
    } else {
      if (!*p) break;  // A lone '%' at the end writes nothing.
      rewritten.append(start, p + 1);
    }
  }
  // An empty result is a result: the buffer grows only while strftime finds
  // it too small, up to a size no date needs.
  for (std::size_t size = 128; size <= 8192; size *= 2) {
    std::string text(size, '\0');
    const std::size_t length = std::strftime(text.data(), size, rewritten.c_str(), &local);
    if (length > 0 || rewritten.empty()) return text.substr(0, length);
  }
  return {};
}
