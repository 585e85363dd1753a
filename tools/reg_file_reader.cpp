// Reads registry files as reg.exe does, stopping at the first line it
// cannot read: a line at a time, from a piece of the file at a time.
#include <algorithm>
#include <cctype>
#include <cerrno>
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

// The bytes of the character that begins text: a UTF-8 sequence whole, or
// one byte of what is not one.
std::size_t CharacterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// How the 8-bit text of a file (all of an 8-bit file, the 8-bit text types
// of REGEDIT4) becomes UTF-8.
enum class Narrow { Windows1252, Utf8 };

std::string Utf8OfNarrow(Narrow narrow, std::string_view bytes) {
  return narrow == Narrow::Utf8 ? ValidUtf8(bytes) : Utf8OfWindows1252(bytes);
}

// A file's lines in UTF-8, ends of line of any kind taken off, read and
// decoded a piece at a time. Its encoding is told by its first bytes: a
// UTF-16 byte-order mark, a UTF-8 one, or none (Windows-1252). What is not
// valid text is kept as it was, for the names that hold it to be refused:
// an unpaired UTF-16 surrogate as the three bytes of its number (as UTF-8
// would hold it, were it a character), bytes that are not UTF-8 as they are.
class Lines {
 public:
  explicit Lines(const ReadBytes& read) : read_(read) {}

  // The next line into *line; false at the end of the file or when it
  // cannot be read (error()).
  bool Next(std::string* line) {
    for (;;) {
      // Looked for from where the last look ended: a long line is read in
      // many pieces.
      const std::size_t end = text_.find_first_of("\r\n", std::max(at_, looked_));
      // A CR at the end of what is decoded may be the first of a CRLF.
      if (end != std::string::npos && !(text_[end] == '\r' && end + 1 == text_.size() && !ended_)) {
        const std::size_t next = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        Take(end, next, line);
        looked_ = 0;
        return true;
      }
      looked_ = end != std::string::npos ? end : text_.size();
      if (ended_) {
        if (last_) return false;
        last_ = true;  // after the last end of line, the last line, empty or not
        Take(text_.size(), text_.size(), line);
        return true;
      }
      Decode();
    }
  }
  std::size_t number() const { return number_; }  // of the line last read, from 1
  Narrow narrow() const { return encoding_ == Encoding::Utf8 ? Narrow::Utf8 : Narrow::Windows1252; }
  int error() const { return error_; }

 private:
  enum class Encoding { Unknown, Utf16, Utf8, Windows1252 };
  static constexpr std::size_t kPiece = 1 << 16;

  // Hands text_[at_, end) to *line and goes on at next. A line that is
  // most of what is held is handed over without a copy.
  void Take(std::size_t end, std::size_t next, std::string* line) {
    ++number_;
    if (at_ > 0 && end - at_ > kPiece) {
      text_.erase(0, at_);
      end -= at_;
      next -= at_;
      at_ = 0;
    }
    if (at_ == 0 && end > text_.size() / 2) {
      std::string rest = text_.substr(next);
      text_.resize(end);
      line->swap(text_);
      text_ = std::move(rest);
      at_ = 0;
      return;
    }
    line->assign(text_, at_, end - at_);
    at_ = next;
    if (at_ > kPiece && at_ > text_.size() / 2) {
      text_.erase(0, at_);
      at_ = 0;
    }
  }

  // Reads the next piece of the file and decodes it onto text_.
  void Decode() {
    char piece[kPiece];
    const std::ptrdiff_t got = read_(piece, sizeof piece);
    if (got < 0) error_ = errno != 0 ? errno : EIO;
    if (got <= 0) ended_ = true;
    raw_.append(piece, got > 0 ? static_cast<std::size_t>(got) : 0);
    if (encoding_ == Encoding::Unknown) {
      if (raw_.size() < 3 && !ended_) return;
      if (raw_.starts_with("\xFF\xFE")) {
        encoding_ = Encoding::Utf16;
        raw_.erase(0, 2);
      } else if (raw_.starts_with("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8;
        raw_.erase(0, 3);
      } else {
        encoding_ = Encoding::Windows1252;
      }
    }
    if (encoding_ == Encoding::Utf8) {
      text_ += raw_;
      raw_.clear();
    } else if (encoding_ == Encoding::Windows1252) {
      text_ += Utf8OfWindows1252(raw_);
      raw_.clear();
    } else {
      DecodeUtf16();
    }
  }

  // Decodes raw_'s whole units; an odd byte waits for the next piece (and
  // is dropped at the end), as does a leading surrogate for its trail.
  void DecodeUtf16() {
    std::size_t i = 0;
    for (; i + 1 < raw_.size(); i += 2) {
      const auto unit = static_cast<char16_t>(static_cast<unsigned char>(raw_[i]) |
                                              static_cast<unsigned char>(raw_[i + 1]) << 8);
      if (lead_ != 0 && unit >= 0xDC00 && unit < 0xE000) {
        store::AppendUtf8(0x10000 + ((lead_ - 0xD800) << 10) + (unit - 0xDC00), &text_);
        lead_ = 0;
        continue;
      }
      if (lead_ != 0) store::AppendUtf8(lead_, &text_);
      lead_ = 0;
      if (unit >= 0xD800 && unit < 0xDC00) {
        lead_ = unit;
      } else {
        store::AppendUtf8(unit, &text_);
      }
    }
    raw_.erase(0, i);
    if (ended_ && lead_ != 0) store::AppendUtf8(lead_, &text_);
    if (ended_) lead_ = 0;
  }

  const ReadBytes& read_;
  Encoding encoding_ = Encoding::Unknown;
  std::string raw_;      // read, not decoded yet
  char16_t lead_ = 0;    // a leading surrogate waiting for its trail
  std::string text_;     // decoded, from at_ not handed out yet
  std::size_t at_ = 0;
  std::size_t looked_ = 0;  // where no end of line was found up to
  std::size_t number_ = 0;
  bool ended_ = false, last_ = false;
  int error_ = 0;
};

class Reader {
 public:
  // wide: the text types' data are UTF-16 (version 5.00), else 8-bit text
  // in narrow.
  Reader(Lines& lines, bool wide, RegFileHandler& handler)
      : lines_(lines), wide_(wide), narrow_(lines.narrow()), handler_(handler) {}

  RegFileRead Read() {
    RegFileRead read;
    bool keyRead = false;
    bool skipping = false;  // values below a deleted key are not read
    std::string text;
    while (lines_.Next(&text)) {
      const std::size_t start = lines_.number();
      std::string_view line = TrimLeft(text);
      if (line.empty() || line.front() == ';') continue;
      escapes_.clear();
      fault_ = RegFileRead::Fault::Syntax;
      bool good = false, goOn = true;
      if (line.front() == '[') {
        RegFileKey key;
        key.line = start;
        good = ReadKey(line, &key);
        if (good) {
          skipping = key.remove;
          keyRead = true;
          goOn = handler_.Key(std::move(key));
        }
      } else if ((line.front() == '"' || line.front() == '@') && keyRead) {
        RegFileValue value;
        value.line = start;
        good = ReadValue(line, &value);
        // What the line held is not read unless it is read whole, so nor
        // are its escapes.
        for (RegFileRead::UnknownEscape& escape : escapes_) {
          if (good) handler_.UnknownEscape(std::move(escape));
        }
        if (good && !skipping) goOn = handler_.Value(std::move(value));
      }
      if (!good) {
        read.outcome = RegFileRead::Outcome::BadLine;
        read.badLine = start;
        read.fault = fault_;
        break;
      }
      if (!goOn) {
        read.stopped = true;
        break;
      }
    }
    read.readError = lines_.error();
    return read;
  }

 private:
  bool ReadKey(std::string_view line, RegFileKey* key) {
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
    return Named(path, &key->path);
  }

  // Takes name as *to when it is text; otherwise the line's fault is said.
  // A name that holds what is not text (which the lines keep as it was)
  // would become U+FFFD here, and so another name's.
  bool Named(std::string_view name, std::string* to) {
    if (!IsValidUtf8(name)) {
      fault_ = RegFileRead::Fault::NameNotText;
      return false;
    }
    *to = std::string(name);
    return true;
  }

  // A quoted text whose opening quote is gone, with its escapes undone as
  // reg.exe undoes them; *rest is left after the closing quote. A \0, which
  // reg.exe does not read, makes the line unreadable.
  std::optional<std::string> Quoted(std::string_view* rest) {
    std::string text;
    // Made at its size at once where it holds no escaped quote: a text may
    // be as long as its line.
    text.reserve(std::min(rest->size(), rest->find('"')));
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
          const std::string character(rest->substr(i, CharacterLength(rest->substr(i))));
          escapes_.push_back({lines_.number(), ValidUtf8(character)});
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
      if (!name || !Named(*name, &value->name)) return false;
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
      auto text = Quoted(&line);
      if (!text) return false;
      if (!IsValidUtf8(*text)) *text = ValidUtf8(*text);
      value->type = store::kTypeText;
      // Room for the NUL that the store adds, so that adding it copies
      // nothing (a text may be as big as the file).
      value->data.reserve(text->size() + 1);
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
    } else if (store::IsStringType(value->type)) {
      const std::string text = Utf8OfNarrow(
          narrow_, std::string_view(reinterpret_cast<const char*>(value->data.data()),
                                    value->data.size()));
      value->data.assign(text.begin(), text.end());
    }
    return true;
  }

  // Comma-separated bytes, on as many lines as end in a backslash.
  bool HexBytes(std::string_view line, std::vector<std::uint8_t>* bytes) {
    std::string joined, next;
    std::string_view rest;
    for (;;) {
      const std::string_view part = Trim(line.substr(0, line.find(';')));
      if (part.empty() || part.back() != '\\') {
        // A value on one line, as most are, is read where it stands.
        if (joined.empty()) {
          rest = part;
        } else {
          joined += part;
          rest = joined;
        }
        break;
      }
      joined += part.substr(0, part.size() - 1);
      // The data goes on in the next line, which may not be blank.
      if (!lines_.Next(&next) || Trim(next).empty()) return false;
      line = TrimLeft(next);
    }
    bytes->reserve(rest.size() / 3 + 1);
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

  Lines& lines_;
  bool wide_;
  Narrow narrow_;
  RegFileHandler& handler_;
  RegFileRead::Fault fault_ = RegFileRead::Fault::Syntax;
  std::vector<RegFileRead::UnknownEscape> escapes_;  // of the line being read
};

// What ReadRegFile reads: the whole file's keys.
class Collector final : public RegFileHandler {
 public:
  explicit Collector(RegFileRead* read) : read_(*read) {}
  bool Key(RegFileKey key) override {
    read_.keys.push_back(std::move(key));
    return true;
  }
  bool Value(RegFileValue value) override {
    read_.keys.back().values.push_back(std::move(value));
    return true;
  }
  void UnknownEscape(RegFileRead::UnknownEscape escape) override {
    read_.unknownEscapes.push_back(std::move(escape));
  }

 private:
  RegFileRead& read_;
};

}  // namespace

RegFileRead ScanRegFile(const ReadBytes& read, RegFileHandler& handler) {
  Lines lines(read);
  std::string first;
  RegFileRead answer;
  const bool any = lines.Next(&first);
  answer.readError = lines.error();
  const std::string_view header = Trim(first);
  const bool version5 = header == kHeader5;
  if (!any || answer.readError != 0 || (!version5 && header != kHeader4)) {
    answer.outcome = RegFileRead::Outcome::NotRegistryFile;
    return answer;
  }
  if (!handler.Begin()) {
    answer.stopped = true;
    return answer;
  }
  // The header says how the text types' bytes are written, not the file's
  // encoding: a REGEDIT4 file saved as UTF-16 still holds 8-bit text.
  return Reader(lines, version5, handler).Read();
}

RegFileRead ReadRegFile(std::string_view bytes) {
  const ReadBytes read = [&bytes](char* buffer, std::size_t size) {
    const std::size_t taken = std::min(size, bytes.size());
    bytes.copy(buffer, taken);
    bytes.remove_prefix(taken);
    return static_cast<std::ptrdiff_t>(taken);
  };
  RegFileRead file;
  Collector collector(&file);
  RegFileRead scanned = ScanRegFile(read, collector);
  scanned.keys = std::move(file.keys);
  scanned.unknownEscapes = std::move(file.unknownEscapes);
  return scanned;
}

}  // namespace quorvane::tools
