// Reads registry files as reg.exe does, stopping at the first line it
// cannot read.
#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/registry_names.h"
#include "tools/reg_file.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kRootNames[] = {"HKEY_LOCAL_MACHINE", "HKLM"};

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

// Letter case ignored, as the registry ignores it.
bool SameLetters(std::string_view a, std::string_view b) {
  return store::FoldedName(a) == store::FoldedName(b);
}

// Takes a case-insensitive prefix off text.
bool Take(std::string_view* text, std::string_view prefix) {
  if (text->size() < prefix.size() || !SameLetters(text->substr(0, prefix.size()), prefix)) {
    return false;
  }
  text->remove_prefix(prefix.size());
  return true;
}

// Nothing but blanks or a comment is left.
bool Ends(std::string_view rest) {
  rest = TrimLeft(rest);
  return rest.empty() || rest.front() == ';';
}

std::optional<std::uint32_t> HexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (const char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    number = number << 4 | static_cast<std::uint32_t>(
                               std::isdigit(static_cast<unsigned char>(c))
                                   ? c - '0'
                                   : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
  }
  return number;
}

// The bytes of the UTF-8 character that begins with lead.
std::size_t CharacterLength(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  return byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

// How the 8-bit text of a file (all of an 8-bit file, the 8-bit text types
// of REGEDIT4) becomes UTF-8.
enum class Narrow { Windows1252, Utf8 };

std::string Utf8OfNarrow(Narrow narrow, std::string_view bytes) {
  return narrow == Narrow::Utf8 ? ValidUtf8(bytes) : Utf8OfWindows1252(bytes);
}

class Reader {
 public:
  // wide: the text types' data are UTF-16 (version 5.00), else 8-bit text
  // in narrow.
  Reader(std::vector<std::string> lines, bool wide, Narrow narrow)
      : lines_(std::move(lines)), wide_(wide), narrow_(narrow) {}

  RegFileRead Read() {
    RegFileRead& read = read_;  // read once
    RegFileKey* current = nullptr;
    bool skipping = false;  // values below a deleted key are not read
    for (at_ = 1; at_ < lines_.size(); ++at_) {
      const std::size_t start = at_;
      std::string_view line = TrimLeft(lines_[at_]);
      if (line.empty() || line.front() == ';') continue;
      bool good = false;
      if (line.front() == '[') {
        RegFileKey key;
        key.line = start + 1;
        good = ReadKey(line, &key);
        if (good) {
          skipping = key.remove;
          read.keys.push_back(std::move(key));
          current = &read.keys.back();
        }
      } else if ((line.front() == '"' || line.front() == '@') && current != nullptr) {
        RegFileValue value;
        value.line = start + 1;
        good = ReadValue(line, &value);
        if (good && !skipping) current->values.push_back(std::move(value));
      }
      if (!good) {
        read.outcome = RegFileRead::Outcome::BadLine;
        read.badLine = start + 1;
        // What the line held is not read, so nor are its escapes.
        std::erase_if(read.unknownEscapes, [&](const RegFileRead::UnknownEscape& escape) {
          return escape.line > start;
        });
        return std::move(read);
      }
    }
    return std::move(read);
  }

 private:
  static bool ReadKey(std::string_view line, RegFileKey* key) {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || !Ends(line.substr(close + 1))) return false;
    std::string_view name = line.substr(1, close - 1);
    key->remove = !name.empty() && name.front() == '-';
    if (key->remove) name.remove_prefix(1);
    const std::size_t slash = name.find('\\');
    const std::string_view root = name.substr(0, slash);
    bool known = false;
    for (const std::string_view rootName : kRootNames) known = known || SameLetters(root, rootName);
    if (!known) return false;
    std::string_view path = slash == std::string_view::npos ? "" : name.substr(slash + 1);
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    key->path = std::string(path);
    return true;
  }

  // A quoted text whose opening quote is gone, with its escapes undone as
  // reg.exe undoes them; *rest is left after the closing quote. A \0, which
  // reg.exe does not read, makes the line unreadable.
  std::optional<std::string> Quoted(std::string_view* rest) {
    std::string text;
    for (std::size_t i = 0; i < rest->size(); ++i) {
      const char c = (*rest)[i];
      if (c == '"') {
        rest->remove_prefix(i + 1);
        return text;
      }
      if (c != '\\') {
        text += c;
        continue;
      }
      if (++i == rest->size()) return std::nullopt;
      const char next = (*rest)[i];
      switch (next) {
        case '\\':
        case '"':
          text += next;
          break;
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case '0':
          return std::nullopt;
        default: {
          // The backslash is dropped; the character after it, whole, stays.
          const std::string character(rest->substr(i, CharacterLength(next)));
          read_.unknownEscapes.push_back({at_ + 1, character});
          text += character;
          i += character.size() - 1;
        }
      }
    }
    return std::nullopt;
  }

  bool ReadValue(std::string_view line, RegFileValue* value) {
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      line.remove_prefix(1);
      const auto name = Quoted(&line);
      if (!name) return false;
      value->name = *name;
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=') return false;
    line = TrimLeft(line.substr(1));
    if (!line.empty() && line.front() == '-') {
      value->remove = true;
      return Ends(line.substr(1));
    }
    if (!line.empty() && line.front() == '"') {
      line.remove_prefix(1);
      const auto text = Quoted(&line);
      if (!text) return false;
      value->type = store::kTypeText;
      value->data.assign(text->begin(), text->end());
      return Ends(line);
    }
    if (Take(&line, "dword:")) {
      const std::string_view digits = line.substr(0, line.find_first_of(" \t;"));
      const auto number = HexNumber(digits);
      if (!number) return false;
      value->type = store::kTypeNumber;
      for (int shift = 0; shift < 32; shift += 8) {
        value->data.push_back(static_cast<std::uint8_t>(*number >> shift));
      }
      return Ends(line.substr(digits.size()));
    }
    if (Take(&line, "hex:")) {
      value->type = store::kTypeBinary;
    } else if (Take(&line, "hex(")) {
      const std::size_t close = line.find("):");
      const auto type = close == std::string_view::npos ? std::nullopt
                                                        : HexNumber(line.substr(0, close));
      if (!type) return false;
      value->type = *type;
      line.remove_prefix(close + 2);
    } else {
      return false;
    }
    if (!HexBytes(line, &value->data)) return false;
    if (wide_) {
      value->data = NarrowData(value->type, value->data);
    } else if (IsTextType(value->type)) {
      const std::string text = Utf8OfNarrow(
          narrow_, std::string_view(reinterpret_cast<const char*>(value->data.data()),
                                    value->data.size()));
      value->data.assign(text.begin(), text.end());
    }
    return true;
  }

  // Comma-separated bytes, on as many lines as end in a backslash.
  bool HexBytes(std::string_view line, std::vector<std::uint8_t>* bytes) {
    std::string joined;
    for (;;) {
      const std::string_view part = Trim(line.substr(0, line.find(';')));
      if (part.empty() || part.back() != '\\') {
        joined += part;
        break;
      }
      joined += part.substr(0, part.size() - 1);
      // The data goes on in the next line, which may not be blank.
      if (++at_ == lines_.size() || Trim(lines_[at_]).empty()) return false;
      line = TrimLeft(lines_[at_]);
    }
    std::string_view rest = joined;
    while (!(rest = TrimLeft(rest)).empty()) {
      const std::size_t comma = rest.find(',');
      const auto byte = HexNumber(Trim(rest.substr(0, comma)));
      if (!byte || *byte > 0xFF) return false;
      bytes->push_back(static_cast<std::uint8_t>(*byte));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    return true;
  }

  std::vector<std::string> lines_;
  bool wide_;
  Narrow narrow_;
  std::size_t at_ = 0;
  RegFileRead read_;
};

// The file's lines as UTF-8, ends of line of any kind taken off; *narrow
// says how its 8-bit text reads.
std::vector<std::string> Lines(std::string_view bytes, bool* wideFile, Narrow* narrow) {
  std::string text;
  *wideFile = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
  *narrow = Narrow::Windows1252;
  if (*wideFile) {
    const std::vector<std::uint8_t> units(bytes.begin() + 2, bytes.end());
    text = Utf8Of(FromLittleEndian(units));
  } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    *narrow = Narrow::Utf8;
    text = ValidUtf8(bytes.substr(3));
  } else {
    text = Utf8OfWindows1252(bytes);
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
      lines.push_back(text.substr(start, i - start));
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  return lines;
}

}  // namespace

RegFileRead ReadRegFile(std::string_view bytes) {
  bool wideFile = false;
  Narrow narrow = Narrow::Windows1252;
  std::vector<std::string> lines = Lines(bytes, &wideFile, &narrow);
  const std::string_view header = Trim(lines.front());
  const bool version5 = header == kHeader5;
  if (!version5 && header != kHeader4) {
    RegFileRead read;
    read.outcome = RegFileRead::Outcome::NotRegistryFile;
    return read;
  }
  // The header says how the text types' bytes are written, not the file's
  // encoding: a REGEDIT4 file saved as UTF-16 still holds 8-bit text.
  return Reader(std::move(lines), version5, narrow).Read();
}

}  // namespace quorvane::tools
