// A moment in local time, written in the player's language: strftime's
// conversions, but the month's and the weekday's names and AM/PM come from
// the game's catalogue, not from the C library's locale data, which a
// machine may not have for the player's language (a fresh Debian has only
// C and C.UTF-8).  Under English the result is strftime's in the C locale.
#pragma once

#include <cstdint>
#include <string>

// `when` (seconds since the epoch) written by `format`: %B the month's name
// as it stands in a date, %A the weekday's, %p AM or PM, every other
// conversion strftime's own (%c, %x and %X as the locale has them).  Empty
// when the moment cannot be expressed in local time.
std::string LocalTimeText(std::int64_t when, const char* format);
