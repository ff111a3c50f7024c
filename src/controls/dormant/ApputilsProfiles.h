// The two kinds of profile the application utilities and the form placement store in: a profile
// file (TIniFile, through the profile layer) and a registry profile (TRegIniFile, through the
// registry seam: sections are keys below the profile's key, idents their values). Both derive
// from TProfileObject, whose operations do nothing and whose reads return the default, so a
// profile of any other kind is left alone.
//
// A profile file keeps every value it is given: a value with a line break, a NUL byte or the
// escape mark "\!" at its start is written as "\!" followed by the value with '\' doubled and
// CR, LF and NUL written as \r, \n and \0; a value (so written or not) that begins or ends with a
// blank, or begins and ends with the same quote, is enclosed in double quotes, which the profile
// layer takes off again. Other values are written as they are, so files written before read the
// same. The profile layer reads at most 259 bytes of a value.
#pragma once

#include <string>

#include "gui/Exceptions.h"
#include "gui/Strings.h"

namespace apputils {

// A profile that cannot be written: "Unable to write to %s".
class EIniFileException : public gui::Exception {
  using gui::Exception::Exception;
};

class TProfileObject {
public:
  virtual ~TProfileObject() = default;

  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default);
  virtual void WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value);
  // The value as a number (decimal, or hexadecimal after "$" or "0x"); Default when missing or
  // no number.
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default);
  void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
  // "1" and "0"; any number but 0 reads as true.
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
  void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
  virtual void EraseSection(const std::string& Section);
  virtual void DeleteKey(const std::string& Section, const std::string& Ident);
  // The section names, replacing the list's lines.
  virtual void ReadSections(gui::TStrings& Strings);

protected:
  TProfileObject() = default;
  explicit TProfileObject(std::string fileName) : fileName_(std::move(fileName)) {}

private:
  std::string fileName_;
};

class TIniFile : public TProfileObject {
public:
  explicit TIniFile(const std::string& FileName) : TProfileObject(FileName) {}

  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) override;
  // Raises EIniFileException when the file cannot be written.
  void WriteString(const std::string& Section, const std::string& Ident,
                   const std::string& Value) override;
  // Raise EIniFileException when the file cannot be written.
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void ReadSections(gui::TStrings& Strings) override;
};

enum TRegistryRoot { rrCurrentUser, rrLocalMachine, rrCurrentConfig, rrClassesRoot, rrUsers, rrDynData };

class TRegIniFile : public TProfileObject {
public:
  // FileName is the key path ("Software\Tool"). This system has one registry, the user's: the
  // other roots are kept apart in it, below a key named after the root. A read-only profile
  // writes nothing.
  explicit TRegIniFile(const std::string& FileName, TRegistryRoot Root = rrCurrentUser,
                       bool ReadOnly = false);

  TRegistryRoot RootKey() const { return root_; }
  bool ReadOnly() const { return readOnly_; }

  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) override;
  // Raises EIniFileException when the value cannot be stored.
  void WriteString(const std::string& Section, const std::string& Ident,
                   const std::string& Value) override;
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void ReadSections(gui::TStrings& Strings) override;

private:
  std::string keyPath(const std::string& section) const;

  TRegistryRoot root_;
  bool readOnly_;
};

// The value as a profile file stores it, and the stored text back (see above).
std::string EncodeIniValue(const std::string& value);
std::string DecodeIniValue(const std::string& stored);

}  // namespace apputils
