#include "controls/dormant/Apputils.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QVariant>

#include <sys/stat.h>

#include <cctype>
#include <climits>
#include <map>
#include <memory>

#include "controls/ControlsState.h"
#include "controls/dormant/Fileutil.h"
#include "controls/dormant/Placemnt.h"
#include "controls/dormant/RxpropsComponents.h"
#include "gui/Cp1251.h"
#include "gui/NumberText.h"
#include "gui/VyxApplication.h"

namespace apputils {

namespace {

QPointer<QWidget>& mainForm() { return detail::MainForm; }

std::map<std::string, const QMetaObject*>& formClasses() { return detail::FormClasses; }

std::string className(const QObject* object) { return rxprops::ClassName(*object->metaObject()); }

std::string nameOf(const QObject* object) { return gui::ToCp1251(object->objectName()); }

std::string programFileName() {
  QString path = QCoreApplication::applicationFilePath();
  return QFileInfo(path).fileName().toStdString();
}

std::string withoutExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Format(Mask, [Index]) of the class library for one integer argument: %d, %u, %x with optional
// "n:" argument index, '-', width and precision; "%%" is a '%'. `used` tells whether the
// argument was used at all.
std::string formatIndex(const std::string& mask, int index, bool& used) {
  used = false;
  std::string out;
  auto invalid = [&] {
    return gui::EConvertError("Format '" + mask + "' invalid or incompatible with argument");
  };
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != '%') {
      out += mask[i];
      continue;
    }
    size_t start = i++;
    if (i < mask.size() && mask[i] == '%') {
      out += '%';
      continue;
    }
    size_t digits = i;
    while (i < mask.size() && isdigit(static_cast<unsigned char>(mask[i]))) ++i;
    if (i < mask.size() && mask[i] == ':') {
      if (mask.substr(digits, i - digits) != "0") throw invalid();
      ++i;
    } else {
      i = digits;
    }
    bool left = i < mask.size() && mask[i] == '-';
    if (left) ++i;
    size_t width = 0, precision = 0;
    while (i < mask.size() && isdigit(static_cast<unsigned char>(mask[i])) && width < 1000)
      width = width * 10 + size_t(mask[i++] - '0');
    if (i < mask.size() && mask[i] == '.') {
      ++i;
      while (i < mask.size() && isdigit(static_cast<unsigned char>(mask[i])) && precision < 1000)
        precision = precision * 10 + size_t(mask[i++] - '0');
    }
    if (i >= mask.size() || (used && mask.substr(start + 1, 2) != "0:")) throw invalid();
    char type = char(tolower(static_cast<unsigned char>(mask[i])));
    std::string number;
    if (type == 'd') number = std::to_string(index);
    else if (type == 'u') number = std::to_string(unsigned(index));
    else if (type == 'x') number = gui::IntToHex(index, 1);
    else throw invalid();
    if (number.size() < precision) number.insert(0, precision - number.size(), '0');
    if (number.size() < width) number.insert(left ? number.size() : 0, width - number.size(), ' ');
    out += number;
    used = true;
  }
  return out;
}

}  // namespace

void FinalizeApputils() { DefCompanyName.clear(); }

QWidget* MainForm() { return mainForm(); }

void SetMainForm(QWidget* form) { mainForm() = form; }

// --- default names --------------------------------------------------------------------------------

std::string GetDefaultIniName() {
  if (OnGetDefaultIniName) return OnGetDefaultIniName();
  return withoutExtension(programFileName()) + ".INI";
}

std::string GetDefaultIniRegKey() {
  std::string key = withoutExtension(programFileName());
  if (RegUseAppTitle && !gui::VyxApplication::Title().empty()) key = gui::VyxApplication::Title();
  if (!DefCompanyName.empty()) key = DefCompanyName + "\\" + key;
  return "Software\\" + key;
}

std::string GetDefaultSection(const QObject* Component) {
  if (!Component) return {};
  if (rxprops::IsForm(Component)) return className(Component);
  if (auto* control = qobject_cast<const QWidget*>(Component)) {
    for (QWidget* up = control->parentWidget(); up; up = up->parentWidget())
      if (rxprops::IsForm(up)) return className(up) + nameOf(Component);
    if (control->parentWidget()) return nameOf(control->parentWidget()) + nameOf(Component);
    return nameOf(Component);
  }
  QObject* owner = rxprops::ComponentOwner(Component);
  if (owner && rxprops::IsForm(owner)) return className(owner) + "." + nameOf(Component);
  return nameOf(Component);
}

void GetDefaultIniData(const QObject* Control, std::string& IniFileName, std::string& Section,
                       bool UseRegistry) {
  IniFileName.clear();
  QObject* owner = rxprops::ComponentOwner(Control);
  if (owner && rxprops::IsForm(owner)) {
    for (QObject* component : rxprops::OwnedComponents(owner))
      if (auto* placement = qobject_cast<placemnt::TFormPlacement*>(component)) {
        IniFileName = placement->IniFileName();
        break;
      }
  }
  Section = GetDefaultSection(Control);
  if (IniFileName.empty()) IniFileName = UseRegistry ? GetDefaultIniRegKey() : GetDefaultIniName();
}

// --- profile wrappers --------------------------------------------------------------------------------

std::string IniReadString(TProfileObject* IniFile, const std::string& Section,
                          const std::string& Ident, const std::string& Default) {
  return IniFile ? IniFile->ReadString(Section, Ident, Default) : Default;
}

void IniWriteString(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                    const std::string& Value) {
  if (IniFile) IniFile->WriteString(Section, Ident, Value);
}

int IniReadInteger(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                   int Default) {
  return IniFile ? IniFile->ReadInteger(Section, Ident, Default) : Default;
}

void IniWriteInteger(TProfileObject* IniFile, const std::string& Section,
                     const std::string& Ident, int Value) {
  if (IniFile) IniFile->WriteInteger(Section, Ident, Value);
}

bool IniReadBool(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                 bool Default) {
  return IniFile ? IniFile->ReadBool(Section, Ident, Default) : Default;
}

void IniWriteBool(TProfileObject* IniFile, const std::string& Section, const std::string& Ident,
                  bool Value) {
  if (IniFile) IniFile->WriteBool(Section, Ident, Value);
}

void IniEraseSection(TProfileObject* IniFile, const std::string& Section) {
  if (IniFile) IniFile->EraseSection(Section);
}

void IniDeleteKey(TProfileObject* IniFile, const std::string& Section, const std::string& Ident) {
  if (IniFile) IniFile->DeleteKey(Section, Ident);
}

void IniReadSections(TProfileObject* IniFile, gui::TStrings& Strings) {
  if (IniFile) IniFile->ReadSections(Strings);
}

// --- line breaks ----------------------------------------------------------------------------------

namespace {

constexpr size_t kMaxIniLine = 4096;

void checkLength(const std::string& s) {
  if (s.size() > kMaxIniLine) throw gui::Exception("Line too long");
}

}  // namespace

std::string StrToIniStr(const std::string& Str) {
  checkLength(Str);
  std::string out;
  for (size_t i = 0; i < Str.size(); ++i) {
    char c = Str[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += "\\n";
    // A pair of different breaks (CR LF or LF CR) is one line break.
    if (i + 1 < Str.size() && (Str[i + 1] == '\r' || Str[i + 1] == '\n') && Str[i + 1] != c) ++i;
  }
  return out;
}

std::string IniStrToStr(const std::string& Str) {
  checkLength(Str);
  std::string out;
  for (size_t i = 0; i < Str.size(); ++i) {
    if (Str[i] == '\\' && i + 1 < Str.size() && Str[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += Str[i];
    }
  }
  return out;
}

// --- forms ----------------------------------------------------------------------------------------

void RegisterFormClass(const QMetaObject& FormClass) {
  formClasses()[gui::AnsiUpperCase(rxprops::ClassName(FormClass))] = &FormClass;
}

const QMetaObject* FindFormClass(const std::string& ClassName) {
  auto it = formClasses().find(gui::AnsiUpperCase(ClassName));
  return it == formClasses().end() ? nullptr : it->second;
}

QWidget* CreateForm(const QMetaObject& FormClass) {
  QObject* made = FormClass.newInstance();
  auto* form = qobject_cast<QWidget*>(made);
  if (!form) {
    delete made;
    throw gui::EInvalidOperation(std::string("Cannot create form ") + FormClass.className());
  }
  return form;
}

QWidget* FindForm(const QMetaObject& FormClass) {
  for (QWidget* form : rxprops::ScreenForms())
    if (form->metaObject()->inherits(&FormClass)) return form;
  return nullptr;
}

QWidget* FindShowForm(const QMetaObject& FormClass, const std::string& Caption) {
  QWidget* found = nullptr;
  for (QWidget* form : rxprops::ScreenForms()) {
    if (!form->metaObject()->inherits(&FormClass)) continue;
    if (Caption.empty() || gui::ToCp1251(form->windowTitle()) == Caption) {
      found = form;
      break;
    }
  }
  if (!found) {
    found = CreateForm(FormClass);
    if (!Caption.empty()) found->setWindowTitle(gui::FromCp1251(Caption));
  }
  if (found->windowState() & Qt::WindowMinimized)
    found->setWindowState(found->windowState() & ~Qt::WindowMinimized);
  found->show();
  return found;
}

bool ShowDialog(const QMetaObject& FormClass) {
  std::unique_ptr<QWidget> form(CreateForm(FormClass));
  int result = 0;
  if (auto* dialog = qobject_cast<QDialog*>(form.get())) {
    result = dialog->exec();
  } else {
    // A form that is no dialog runs modally until it is hidden; its "ModalResult" property
    // carries the answer.
    form->setAttribute(Qt::WA_ShowModal);
    form->show();
    QEventLoop loop;
    while (form->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    result = form->property("ModalResult").toInt();
  }
  return result == 1 || result == 6;
}

QWidget* InstantiateForm(const QMetaObject& FormClass, QWidget*& Reference) {
  if (!Reference) Reference = CreateForm(FormClass);
  return Reference;
}

// --- other ----------------------------------------------------------------------------------------

std::string GetUniqueFileNameInDir(const std::string& Path, const std::string& FileNameMask) {
  std::string folder = fileutil::NormalDir(Path);
  for (int i = 0;; ++i) {
    bool numbered = false;
    std::string name = formatIndex(FileNameMask, i, numbered);
    if (!fileExists(folder + name)) return name;
    // Without a number every index gives this same name.
    if (!numbered || i == INT_MAX) return {};
  }
}

intptr_t AppBroadcast(int Msg, intptr_t WParam, intptr_t LParam) {
  intptr_t result = 0;
  for (QWidget* form : rxprops::ScreenForms()) {
    TBroadcastEvent event(Msg, WParam, LParam);
    QCoreApplication::sendEvent(form, &event);
    result = event.Result;
  }
  return result;
}

}  // namespace apputils
