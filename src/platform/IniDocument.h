// One profile (INI) file held in memory: every line as it was read, so that writing a key keeps
// comments, unknown lines and the order of everything else, plus an index for case-insensitive
// look-ups of sections and keys.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class IniDocument {
public:
  // An empty document, as a missing file reads.
  IniDocument();

  static IniDocument parse(std::string_view bytes);
  std::string serialize() const;

  // The value of [section] key (trimmed, one pair of surrounding quotes stripped), or null. Names
  // compare ASCII case-insensitively; the first of duplicate sections or keys wins.
  const std::string* find(std::string_view section, std::string_view key) const;

  // Sets a key: an existing line is rewritten in place; a new key goes after the last key of its
  // section; a new section goes to the end of the document. A line break in the value cuts it.
  void set(std::string_view section, std::string_view key, std::string_view value);

private:
  struct Line {
    std::string text;   // the line as it stands in the file, without its line end
    std::string value;  // for key lines: the value as a read returns it
    bool isKey = false;
  };
  struct Section {
    std::vector<Line> lines;  // lines[0] is the "[name]" header, except for the preamble
    std::unordered_map<std::string, size_t> keys;  // lower-cased key -> line
  };

  void indexLine(Section& section, size_t lineIndex);
  Section& addSection(std::string_view name, bool withHeader);

  std::vector<Section> sections_;                       // sections_[0] is the preamble
  std::unordered_map<std::string, size_t> sectionIndex_;  // lower-cased name -> section
  std::string eol_ = "\r\n";
};

}  // namespace platform
