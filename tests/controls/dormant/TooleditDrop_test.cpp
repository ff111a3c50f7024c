#include "controls/dormant/TooleditDrop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tooledit::DroppedFileNames;
using Names = std::vector<std::string>;

TEST(DroppedFileNames, LocalFilesOfAUriList) {
  const std::string longName = "/" + std::string(300, 'n');
  struct Case {
    const char* what;
    std::string list;
    Names names;
  };
  const Case cases[] = {
      {"CRLF lines", "file:///a/b.txt\r\nfile:///c/d\r\n", {"/a/b.txt", "/c/d"}},
      {"LF lines, no final break", "file:///a\nfile:///b", {"/a", "/b"}},
      {"percent escapes", "file:///tmp/two%20words%2Ftxt", {"/tmp/two words/txt"}},
      {"bytes beyond ASCII", "file:///%C3%A4%E4", {"/\xC3\xA4\xE4"}},
      {"a broken escape stays", "file:///a%zz%4", {"/a%zz%4"}},
      {"comments and blank lines", "# from a file manager\r\n\r\n  file:///x  \r\n", {"/x"}},
      {"localhost and no authority", "file://localhost/etc/h\nfile:/var/y\nFILE:///Z",
       {"/etc/h", "/var/y", "/Z"}},
      {"other hosts and schemes", "file://box/x\nhttp://a/b\nfile://localhostx/y\nsmb://s/t", {}},
      {"query and fragment are no part of the name", "file:///a?b#c", {"/a"}},
      {"NUL in a name", "file:///a%00b\nfile:///ok", {"/ok"}},
      {"no path", "file://\nfile:///\nfile:", {"/"}},
      {"long names are whole", "file://" + longName, {longName}},
  };
  for (const Case& c : cases) EXPECT_EQ(DroppedFileNames(c.list), c.names) << c.what;
}
