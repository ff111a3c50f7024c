// Paths below the program folder's SKINS, looked up in any letter case.
#pragma once

#include <string>

namespace skin {

// folder + relative, each name of `relative` (separated by '/' or '\') replaced by the entry of
// that name in any letter case where one exists; kept as written where none does.
std::string FindAnyCase(const std::string& folder, const std::string& relative);

// The named skin's folder, with a trailing '/'.
std::string SkinFolder(const std::string& name);

}  // namespace skin
