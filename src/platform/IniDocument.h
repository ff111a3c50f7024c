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

  // Splits the bytes into lines ("\r\n", "\n" and a lone "\r" each end a line), after a UTF-8
  // byte-order mark at the start, which serialize() writes back. serialize() of a parsed,
  // unchanged document gives back exactly the bytes it was parsed from; lines that a set adds
  // get the line end of the document's first line.
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

  // Removes [section] key (the first of duplicates, so a later one shows again); false when it
  // is not there.
  bool erase(std::string_view section, std::string_view key);
  // Removes [section], its header and every line up to the next section (the first of duplicate
  // sections); false when it is not there.
  bool eraseSection(std::string_view section);
  // The names of the sections in file order, each name once (as first written).
  std::vector<std::string> sectionNames() const;

  // Whether set() takes these names.
  static bool storable(std::string_view section, std::string_view key);

private:
  enum class LineEnd : uint8_t { kNone, kLf, kCrLf, kCr };
  struct Line {
    std::string text;   // the line as it stands in the file, without its line end
    std::string value;  // for key lines: the value as a read returns it
    LineEnd end = LineEnd::kNone;
  };
  // Names compare ASCII case-insensitively; look-ups by string_view need no copy.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const;  // not noexcept: the table keeps each hash
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
  };
  using NameIndex = std::unordered_map<std::string, size_t, NameHash, NameEqual>;

  struct Section {
    std::vector<Line> lines;  // lines[0] is the "[name]" header, except for the preamble
    NameIndex keys;           // key -> line
  };

  static std::string_view nextLine(std::string_view bytes, size_t& pos, LineEnd& end);
  void indexLine(Section& section, size_t lineIndex);
  Section& addSection(std::string_view name, bool withHeader);
  void insertLine(Section& section, std::string text);
  void reindexKeys(Section& section);
  void reindexSections();

  std::vector<Section> sections_;                         // sections_[0] is the preamble
  NameIndex sectionIndex_;                                // name -> section
  LineEnd newLineEnd_ = LineEnd::kCrLf;                   // the line end of lines we add
  bool byteOrderMark_ = false;                            // the bytes began with EF BB BF
};

}  // namespace platform
