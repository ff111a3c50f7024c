// The names of files dropped from the desktop onto an edit. A drop carries a "text/uri-list":
// one URI a line (CRLF or LF), lines that begin with '#' are comments. A file: URI with an empty
// host or "localhost" names a local file by its percent-encoded path. Names are returned as the
// file system's bytes, whole, however long.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tooledit {

// The local file names of the list, in order. Other URIs, and names that would hold a NUL byte
// or are empty, are skipped.
std::vector<std::string> DroppedFileNames(std::string_view uriList);

}  // namespace tooledit
