#include "controls/dormant/ApputilsProfiles.h"

#include "controls/dormant/Rxprops.h"
#include "gui/NumberText.h"
#include "platform/Profile.h"
#include "platform/Registry.h"

namespace apputils {

namespace {

constexpr const char kEscapeMark[] = "\\!";

// What the profile layer trims from the ends of a value.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool quoted(const std::string& v) {
  return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

std::string missing() { return std::string(rxprops::kMissingKey); }

std::string rootName(TRegistryRoot root) {
  switch (root) {
    case rrLocalMachine: return "HKEY_LOCAL_MACHINE";
    case rrCurrentConfig: return "HKEY_CURRENT_CONFIG";
    case rrClassesRoot: return "HKEY_CLASSES_ROOT";
    case rrUsers: return "HKEY_USERS";
    case rrDynData: return "HKEY_DYN_DATA";
    case rrCurrentUser: break;
  }
  return {};
}

}  // namespace

std::string EncodeIniValue(const std::string& value) {
  std::string body = value;
  if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
      value.rfind(kEscapeMark, 0) == 0) {
    body = kEscapeMark;
    for (char c : value) {
      if (c == '\\') body += "\\\\";
      else if (c == '\r') body += "\\r";
      else if (c == '\n') body += "\\n";
      else if (c == '\0') body += "\\0";
      else body += c;
    }
  }
  if (!body.empty() && (isBlank(body.front()) || isBlank(body.back()) || quoted(body)))
    return '"' + body + '"';
  return body;
}

std::string DecodeIniValue(const std::string& stored) {
  if (stored.rfind(kEscapeMark, 0) != 0) return stored;
  std::string out;
  for (size_t i = 2; i < stored.size(); ++i) {
    if (stored[i] != '\\') {
      out += stored[i];
      continue;
    }
    if (++i == stored.size()) break;  // a value cut inside an escape loses that escape
    char c = stored[i];
    out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == '0' ? '\0' : c;
  }
  return out;
}

// --- TProfileObject: every operation does nothing ----------------------------------------------

std::string TProfileObject::ReadString(const std::string&, const std::string&,
                                       const std::string& Default) {
  return Default;
}

void TProfileObject::WriteString(const std::string&, const std::string&, const std::string&) {}

int TProfileObject::ReadInteger(const std::string& Section, const std::string& Ident, int Default) {
  return gui::StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TProfileObject::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
  WriteString(Section, Ident, gui::IntToStr(Value));
}

bool TProfileObject::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TProfileObject::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

void TProfileObject::EraseSection(const std::string&) {}

void TProfileObject::DeleteKey(const std::string&, const std::string&) {}

void TProfileObject::ReadSections(gui::TStrings& Strings) { Strings.Clear(); }

// --- TIniFile ------------------------------------------------------------------------------------

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) {
  std::string stored = platform::GetProfileString(FileName(), Section, Ident, missing());
  return stored == missing() ? Default : DecodeIniValue(stored);
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
  if (!platform::WriteProfileString(FileName(), Section, Ident, EncodeIniValue(Value)))
    throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::EraseSection(const std::string& Section) {
  if (!platform::DeleteProfileSection(FileName(), Section))
    throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  if (!platform::DeleteProfileKey(FileName(), Section, Ident))
    throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::ReadSections(gui::TStrings& Strings) {
  Strings.BeginUpdate();
  Strings.Clear();
  for (const std::string& name : platform::GetProfileSectionNames(FileName())) Strings.Add(name);
  Strings.EndUpdate();
}

// --- TRegIniFile ---------------------------------------------------------------------------------

TRegIniFile::TRegIniFile(const std::string& FileName, TRegistryRoot Root, bool ReadOnly)
    : TProfileObject(FileName), root_(Root), readOnly_(ReadOnly) {}

std::string TRegIniFile::keyPath(const std::string& section) const {
  std::string path = rootName(root_);
  for (const std::string& part : {FileName(), section})
    if (!part.empty()) path += (path.empty() ? "" : "\\") + part;
  return path;
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) {
  auto key = platform::RegistryBackend::current().openKey(keyPath(Section));
  if (!key) return Default;
  auto data = key->readValue(Ident);
  return data ? std::string(data->begin(), data->end()) : Default;
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident,
                              const std::string& Value) {
  if (readOnly_) return;
  auto key = platform::RegistryBackend::current().createKey(keyPath(Section));
  const auto* bytes = reinterpret_cast<const uint8_t*>(Value.data());
  if (!key || Ident.empty() || !key->writeValue(Ident, {bytes, Value.size()}))
    throw EIniFileException("Unable to write to " + keyPath(Section));
}

void TRegIniFile::EraseSection(const std::string& Section) {
  if (!readOnly_ && !Section.empty()) platform::RegistryBackend::current().deleteKey(keyPath(Section));
}

void TRegIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  if (readOnly_) return;
  if (auto key = platform::RegistryBackend::current().openKey(keyPath(Section)))
    key->deleteValue(Ident);
}

void TRegIniFile::ReadSections(gui::TStrings& Strings) {
  Strings.Clear();
  for (const std::string& name : platform::RegistryBackend::current().subkeyNames(keyPath({})))
    Strings.Add(name);
}

}  // namespace apputils
