// Stored texts read back into typed properties by the property storage. The input is a small
// store ("[section]" lines, then "key=value" lines) loaded into an object with a property of every
// kind, a string list, a collection, a nested object and a component reference. Loading must not
// crash or raise, counts read back must stay within what the input holds, and what the loaded
// object stores must load into a fresh object and store again to the same texts.
#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "controls/dormant/Rxprops.h"
#include "controls/dormant/RxpropsComponents.h"

namespace {

class Font : public rxprops::TPersistent {
  Q_OBJECT
  Q_PROPERTY(int Color MEMBER color)
  Q_PROPERTY(QString Name MEMBER name)

public:
  using TPersistent::TPersistent;
  int color = 0;
  QString name;
};

class Column : public rxprops::TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(int Width MEMBER width)
  Q_PROPERTY(QStringList Notes MEMBER notes)

public:
  using TCollectionItem::TCollectionItem;
  int width = 64;
  QStringList notes;
};

class Sample : public QObject {
  Q_OBJECT

public:
  enum Style { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsHigh = 0x40000000 };
  Q_DECLARE_FLAGS(Styles, Style)
  Q_FLAG(Styles)
  enum Align { alNone, alTop, alClient };
  Q_ENUM(Align)

private:
  Q_PROPERTY(int Count MEMBER count)
  Q_PROPERTY(uint Big MEMBER big)
  Q_PROPERTY(short Short MEMBER shortValue)
  Q_PROPERTY(qlonglong Huge MEMBER huge)
  Q_PROPERTY(qulonglong Unsigned MEMBER unsignedHuge)
  Q_PROPERTY(char Letter MEMBER letter)
  Q_PROPERTY(QChar Wide MEMBER wide)
  Q_PROPERTY(Align Alignment MEMBER align)
  Q_PROPERTY(bool Flag MEMBER flag)
  Q_PROPERTY(Styles Style READ GetStyle WRITE SetStyle)
  Q_PROPERTY(double Ratio MEMBER ratio)
  Q_PROPERTY(float Small MEMBER small)
  Q_PROPERTY(QString Text MEMBER text)
  Q_PROPERTY(QByteArray Raw MEMBER raw)
  Q_PROPERTY(QVariant Any MEMBER any)
  Q_PROPERTY(QStringList Lines MEMBER lines)
  Q_PROPERTY(QObject* Link MEMBER link)
  Q_PROPERTY(Font* Font MEMBER font)
  Q_PROPERTY(rxprops::TCollection* Columns MEMBER columns)

public:
  explicit Sample(QObject* parent)
      : QObject(parent), font(new Font(this)),
        columns(new rxprops::TCollection([](rxprops::TCollection* c) { return new Column(c); }, this)) {
    setObjectName("Obj");
  }
  Styles GetStyle() const { return style; }
  void SetStyle(Styles s) { style = s; }

  int count = 0;
  uint big = 0;
  short shortValue = 0;
  qlonglong huge = 0;
  qulonglong unsignedHuge = 0;
  char letter = 'a';
  QChar wide = QChar('w');
  Align align = alNone;
  bool flag = false;
  Styles style;
  double ratio = 0;
  float small = 0;
  QString text;
  QByteArray raw;
  QVariant any;
  QStringList lines;
  QObject* link = nullptr;
  Font* font;
  rxprops::TCollection* columns;
};

using Store = std::map<std::string, std::map<std::string, std::string>>;

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "rxprops_load: %s\n", what);
    abort();
  }
}

Store parse(const uint8_t* data, size_t size) {
  Store store;
  std::string section = "S";
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line[0] == '[') {
      section = line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1);
      continue;
    }
    size_t eq = line.find('=');
    if (eq != std::string::npos) store[section][line.substr(0, eq)] = line.substr(eq + 1);
  }
  return store;
}

void attach(rxprops::TPropsStorage& storage, Store& store) {
  storage.OnReadString = [&store](const std::string& s, const std::string& k, const std::string& d) {
    auto sec = store.find(s);
    if (sec == store.end()) return d;
    auto key = sec->second.find(k);
    return key == sec->second.end() ? d : key->second;
  };
  storage.OnWriteString = [&store](const std::string& s, const std::string& k, const std::string& v) {
    store[s][k] = v;
  };
  storage.OnEraseSection = [&store](const std::string& s) { store.erase(s); };
}

// A form-like owner with the sample and two components it may refer to.
struct Scene {
  QObject owner;
  Sample* sample;
  Scene() : sample(new Sample(&owner)) {
    owner.setObjectName("Form1");
    for (const char* name : {"Edit1", "Edit2"}) (new QObject(&owner))->setObjectName(name);
  }
};

gui::TStringList storedList(Sample* sample) {
  gui::TStringList list;
  const QMetaObject* meta = sample->metaObject();
  for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
    list.AddObject(std::string("Obj.") + meta->property(i).name(), sample);
  return list;
}

Store storeOf(Scene& scene) {
  Store out;
  rxprops::TPropsStorage storage;
  attach(storage, out);
  storage.Section = "S";
  gui::TStringList list = storedList(scene.sample);
  storage.StoreObjectsProps(&scene.owner, list);
  return out;
}

void load(Scene& scene, Store& store) {
  rxprops::TPropsStorage storage;
  attach(storage, store);
  storage.Section = "S";
  gui::TStringList list = storedList(scene.sample);
  storage.LoadObjectsProps(&scene.owner, list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 1;
  static char name[] = "fuzz_rxprops_load";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);

  Store input = parse(data, size);
  Scene first;
  load(first, input);
  check(first.sample->lines.size() <= qsizetype(size), "more lines than the input holds");
  check(first.sample->columns->Count() <= int(size), "more items than the input holds");

  Store stored = storeOf(first);
  Scene second;
  load(second, stored);
  Store again = storeOf(second);
  // A float's seven digits need not read back to the same float; every other text must.
  stored["S"].erase("Obj_Small");
  again["S"].erase("Obj_Small");
  check(stored == again, "a stored object did not load back to the same texts");
  return 0;
}

#include "rxprops_load.moc"
