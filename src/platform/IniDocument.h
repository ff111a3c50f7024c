// One profile (INI) file held in memory: every line as it was read, with its own line end, so
// that writing a key keeps comments, unknown lines and the order of everything else byte for
// byte, plus an index for case-insensitive look-ups of sections and keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class IniDocument {
public:
  // An empty document, as a missing file reads.
  IniDocument();

  // Splits the bytes into lines at LF ("\r\n" and "\n" both end a line). serialize() of a parsed,
  // unchanged document gives back exactly the bytes it was parsed from.
  static IniDocument parse(std::string_view bytes);
  std::string serialize() const;

  // The value of [section] key (trimmed, one pair of surrounding quotes stripped), or null. Names
  // compare ASCII case-insensitively; the first of duplicate sections or keys wins.
  const std::string* find(std::string_view section, std::string_view key) const;

  // Sets a key: an existing line is rewritten in place; a new key goes after the last non-blank
  // line of its section (before the blank lines that part it from the next one); a new section
  // goes to the end of the document. A line break in the value cuts it there. False, and nothing
  // changed, when a name could not be read back as the same name (empty, a line break, '=' or a
  // leading ';' or '[' in the key, ']' in the section).
  bool set(std::string_view section, std::string_view key, std::string_view value);

private:
  enum class LineEnd : uint8_t { kNone, kLf, kCrLf };
  struct Line {
    std::string text;   // the line as it stands in the file, without its line end
    std::string value;  // for key lines: the value as a read returns it
    LineEnd end = LineEnd::kNone;
  };
  struct Section {
    std::vector<Line> lines;  // lines[0] is the "[name]" header, except for the preamble
    std::unordered_map<std::string, size_t> keys;  // lower-cased key -> line
  };

  void indexLine(Section& section, size_t lineIndex);
  Section& addSection(std::string_view name, bool withHeader);
  void insertLine(Section& section, std::string text);

  std::vector<Section> sections_;                         // sections_[0] is the preamble
  std::unordered_map<std::string, size_t> sectionIndex_;  // lower-cased name -> section
  LineEnd newLineEnd_ = LineEnd::kCrLf;                   // the line end of lines we add
};

}  // namespace platform
