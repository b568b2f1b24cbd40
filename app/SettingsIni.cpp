#include "app/SettingsIni.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The code point starting at `text[i]`, and its length; nothing when the
// bytes there are no well-formed UTF-8.
std::optional<std::pair<char32_t, std::size_t>> DecodeUtf8(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return std::pair<char32_t, std::size_t>{lead, 1};
  std::size_t length;
  char32_t cp;
  char32_t least;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (i + length > text.size()) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return std::pair<char32_t, std::size_t>{cp, length};
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto decoded = DecodeUtf8(text, i);
    if (!decoded) return false;
    i += decoded->second;
  }
  return true;
}

// Qt reads the file as UTF-8, a byte that is none becoming U+FFFD.
void AppendDecoded(std::u16string& out, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto decoded = DecodeUtf8(bytes, i);
    const char32_t cp = decoded ? decoded->first : 0xFFFD;
    i += decoded ? decoded->second : 1;
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

// ------------------------------------------------------------ names ---

// "%20" is a Latin-1 character, "%U263A" any other, "\" stands for "/".
std::string UnescapeName(std::string_view raw) {
  std::string out;
  for (std::size_t i = 0; i < raw.size();) {
    if (raw[i] == '\\') {
      out += '/';
      ++i;
      continue;
    }
    const std::size_t digits = i + 1 < raw.size() && raw[i + 1] == 'U' ? 4 : 2;
    const std::size_t first = digits == 4 ? i + 2 : i + 1;
    if (raw[i] != '%' || first + digits > raw.size()) {
      out += raw[i++];
      continue;
    }
    char32_t cp = 0;
    bool ok = true;
    for (std::size_t k = first; k < first + digits; ++k) {
      const int h = HexValue(raw[k]);
      ok = ok && h >= 0;
      cp = cp * 16 + static_cast<char32_t>(std::max(h, 0));
    }
    if (!ok) {
      out += raw[i++];
      continue;
    }
    AppendUtf8(out, cp);
    i = first + digits;
  }
  return out;
}

std::string EscapeName(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const auto decoded = DecodeUtf8(name, i);
    const char32_t cp = decoded ? decoded->first : static_cast<unsigned char>(name[i]);
    i += decoded ? decoded->second : 1;
    if (cp == '/') {
      out += '\\';
    } else if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') ||
               cp == '_' || cp == '-' || cp == '.') {
      out += static_cast<char>(cp);
    } else if (cp <= 0xFF) {
      out += '%';
      out += kHex[cp >> 4];
      out += kHex[cp & 0xF];
    } else {
      // Beyond the first plane Qt writes the halves of the UTF-16 pair.
      const std::u16string units =
          cp >= 0x10000 ? std::u16string{static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)),
                                         static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))}
                        : std::u16string{static_cast<char16_t>(cp)};
      for (char16_t unit : units) {
        out += "%U";
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
      }
    }
  }
  return out;
}

// ----------------------------------------------------------- values ---

struct Unescaped {
  std::u16string text;
  bool isList = false;
};

// A value as Qt reads it: leading blanks skipped, unquoted trailing ones
// dropped, backslash escapes (named, \x hex, octal) resolved, "..." quoting
// kept together, and an unquoted comma making it a list.
Unescaped UnescapeValue(std::string_view raw) {
  Unescaped result;
  std::u16string& text = result.text;
  bool inQuotes = false;
  bool quoted = false;
  std::size_t chopLimit = 0;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < raw.size() && IsSpace(raw[i])) ++i;
    chopLimit = text.size();
  };
  auto chop = [&] {
    if (quoted) return;
    while (text.size() > chopLimit && (text.back() == u' ' || text.back() == u'\t'))
      text.pop_back();
  };
  skipBlanks();
  while (i < raw.size()) {
    const char c = raw[i];
    if (c == '\\') {
      ++i;
      if (i >= raw.size()) break;
      const char e = raw[i++];
      static const std::string_view kNamed = "a\ab\bf\fn\nr\rt\tv\v\"\"\?\?''\\\\";
      const std::size_t named = kNamed.find(e);
      if (named != std::string_view::npos && named % 2 == 0) {
        text += static_cast<char16_t>(kNamed[named + 1]);
      } else if (e == 'x' || (e >= '0' && e <= '7')) {
        const int base = e == 'x' ? 16 : 8;
        char16_t value = e == 'x' ? 0 : static_cast<char16_t>(e - '0');
        bool any = e != 'x';
        for (int digit; i < raw.size() && (digit = HexValue(raw[i])) >= 0 && digit < base; ++i) {
          value = static_cast<char16_t>(value * base + digit);
          any = true;
        }
        if (any) text += value;
      } else if (e == '\n' || e == '\r') {
        if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) ++i;
      }
      // Any other escaped character is dropped, as Qt drops it.
      chopLimit = text.size();
    } else if (c == '"') {
      ++i;
      quoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) skipBlanks();
    } else if (c == ',' && !inQuotes) {
      chop();
      result.isList = true;
      text.clear();
      quoted = false;
      ++i;
      skipBlanks();
    } else {
      std::size_t end = i + 1;
      while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',') ++end;
      AppendDecoded(text, raw.substr(i, end - i));
      i = end;
    }
  }
  chop();
  return result;
}

// Escapes `text` into `out` as Qt does: control characters and quotes with
// backslashes, the value in quotes when it holds ";", "," or "=" or has
// blanks at either end.  With `rawHighBytes` false (a byte array), bytes
// from 0x7F up are escaped as well.
void EscapeValue(std::string& out, std::string_view text, bool rawHighBytes) {
  static const char kHex[] = "0123456789abcdef";
  const std::size_t start = out.size();
  bool needsQuotes = false;
  bool escapeNextIfDigit = false;
  auto hexEscape = [&](unsigned char ch) {
    out += "\\x";
    if (ch >= 16) out += kHex[ch >> 4];
    out += kHex[ch & 0xF];
  };
  for (const char c : text) {
    const auto ch = static_cast<unsigned char>(c);
    if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
    if (escapeNextIfDigit && HexValue(c) >= 0) {
      hexEscape(ch);
      continue;
    }
    escapeNextIfDigit = false;
    static const std::string_view kNamed = "\aa\bb\ff\nn\rr\tt\vv";
    const std::size_t named = ch == 0 ? std::string_view::npos : kNamed.find(c);
    if (ch == 0) {
      out += "\\0";
      escapeNextIfDigit = true;
    } else if (named != std::string_view::npos && named % 2 == 0) {
      out += '\\';
      out += kNamed[named + 1];
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (ch <= 0x1F || (ch >= 0x7F && !rawHighBytes)) {
      hexEscape(ch);
      escapeNextIfDigit = true;
    } else {
      out += c;
    }
  }
  if (needsQuotes || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
    out.insert(start, 1, '"');
    out += '"';
  }
}

std::string EscapeString(std::string_view bytes) {
  std::string out;
  if (!IsUtf8(bytes)) {
    EscapeValue(out, "@ByteArray(" + std::string(bytes) + ")", false);
  } else if (!bytes.empty() && bytes[0] == '@') {
    // A leading "@" would mark a type: Qt doubles it.
    EscapeValue(out, "@" + std::string(bytes), true);
  } else {
    EscapeValue(out, bytes, true);
  }
  return out;
}

bool StartsWith(std::u16string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t k = 0; k < prefix.size(); ++k)
    if (text[k] != static_cast<unsigned char>(prefix[k])) return false;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// One line of the file, with a line that ends in a backslash carried on
// into the next; `pos` moves past it.
std::string NextLine(std::string_view text, std::size_t& pos) {
  std::string line;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    line.append(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    std::size_t backslashes = 0;
    while (backslashes < line.size() && line[line.size() - 1 - backslashes] == '\\') ++backslashes;
    if (backslashes % 2 == 0) break;
    line.pop_back();
  }
  return line;
}

}  // namespace

SettingsIni SettingsIni::Parse(std::string_view text) {
  SettingsIni ini;
  std::string section = "General";
  std::string rawSection = "General";
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string line = NextLine(text, pos);
    const std::string_view content = Trimmed(line);
    if (content.empty() || content[0] == ';') continue;
    if (content[0] == '[') {
      std::string_view name = content.substr(1);
      if (const std::size_t close = name.rfind(']'); close != std::string_view::npos)
        name = name.substr(0, close);
      rawSection = std::string(Trimmed(name));
      section = UnescapeName(rawSection);
      continue;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view rawKey = Trimmed(content.substr(0, equals));
    if (rawKey.empty()) continue;
    const std::string key = UnescapeName(rawKey);
    std::string_view value = content.substr(equals + 1);
    while (!value.empty() && IsSpace(value.front())) value.remove_prefix(1);
    auto where = std::find_if(ini.m_sections.begin(), ini.m_sections.end(),
                              [&](const Section& s) { return s.name == section; });
    if (where == ini.m_sections.end())
      where = ini.m_sections.insert(ini.m_sections.end(), Section{section, rawSection, {}});
    auto entry = std::find_if(where->entries.begin(), where->entries.end(),
                              [&](const Entry& e) { return e.key == key; });
    if (entry == where->entries.end())
      where->entries.push_back({key, std::string(rawKey), std::string(value)});
    else
      entry->rawValue = std::string(value);
  }
  return ini;
}

std::string SettingsIni::Text() const {
  std::string out;
  for (const Section& section : m_sections) {
    if (section.entries.empty()) continue;
    if (!out.empty()) out += '\n';
    out += '[' + section.rawName + "]\n";
    for (const Entry& entry : section.entries) out += entry.rawKey + '=' + entry.rawValue + '\n';
  }
  return out;
}

const SettingsIni::Entry* SettingsIni::Find(std::string_view section, std::string_view key) const {
  for (const Section& s : m_sections) {
    if (s.name != section) continue;
    for (const Entry& e : s.entries)
      if (e.key == key) return &e;
  }
  return nullptr;
}

void SettingsIni::SetRaw(std::string_view section, std::string_view key, std::string rawValue) {
  auto where = std::find_if(m_sections.begin(), m_sections.end(),
                            [&](const Section& s) { return s.name == section; });
  if (where == m_sections.end())
    where =
        m_sections.insert(m_sections.end(), Section{std::string(section), EscapeName(section), {}});
  for (Entry& e : where->entries) {
    if (e.key == key) {
      e.rawValue = std::move(rawValue);
      return;
    }
  }
  where->entries.push_back({std::string(key), EscapeName(key), std::move(rawValue)});
}

std::optional<std::string> SettingsIni::String(std::string_view section,
                                               std::string_view key) const {
  const Entry* entry = Find(section, key);
  if (!entry) return std::nullopt;
  const Unescaped value = UnescapeValue(entry->rawValue);
  if (value.isList) return std::nullopt;
  const std::u16string& text = value.text;
  if (StartsWith(text, "@ByteArray(") && text.back() == u')') {
    std::string bytes;
    for (std::size_t k = 11; k + 1 < text.size(); ++k)
      bytes += static_cast<char>(text[k] <= 0xFF ? text[k] : u'?');
    return bytes;
  }
  // Text holding a NUL character.
  if (StartsWith(text, "@String(") && text.back() == u')')
    return ToUtf8(std::u16string_view(text).substr(8, text.size() - 9));
  if (StartsWith(text, "@@")) return ToUtf8(std::u16string_view(text).substr(1));
  // "@Type(...)": a value of another kind.
  if (StartsWith(text, "@") && text.back() == u')' && text.find(u'(') != std::u16string::npos)
    return std::nullopt;
  return ToUtf8(text);
}

void SettingsIni::SetString(std::string_view section, std::string_view key,
                            std::string_view bytes) {
  SetRaw(section, key, EscapeString(bytes));
}

std::optional<int> SettingsIni::Int(std::string_view section, std::string_view key) const {
  const std::optional<std::string> text = String(section, key);
  if (!text) return std::nullopt;
  std::string_view digits = Trimmed(*text);
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
    return std::nullopt;
  return value;
}

void SettingsIni::SetInt(std::string_view section, std::string_view key, int value) {
  SetRaw(section, key, std::to_string(value));
}

void SettingsIni::Remove(std::string_view section, std::string_view key) {
  for (Section& s : m_sections) {
    if (s.name != section) continue;
    std::erase_if(s.entries, [&](const Entry& e) { return e.key == key; });
  }
}
