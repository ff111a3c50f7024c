// Stored window placements as the form placement reads them. The input is the keys of one
// section ("key=value" lines; the first byte picks a sizeable or a fixed-size form). Reading must
// not crash, a rectangle it applies lies on the screen, and a placement written from the form
// reads back into another form at the same rectangle.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "controls/dormant/Apputils.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "placement_read: %s\n", what);
    abort();
  }
}

// A profile in memory: one section's keys.
class MemoryProfile : public apputils::TProfileObject {
public:
  std::map<std::string, std::string> keys;

  std::string ReadString(const std::string&, const std::string& Ident,
                         const std::string& Default) override {
    auto it = keys.find(Ident);
    return it == keys.end() ? Default : it->second;
  }
  void WriteString(const std::string&, const std::string& Ident, const std::string& Value) override {
    keys[Ident] = Value;
  }
};

QApplication& application() {
  static int argc = 1;
  static char name[] = "fuzz_placement_read";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VYX_SIM", "1", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

QRect screens() {
  QRect area;
  for (QScreen* screen : QGuiApplication::screens()) area |= screen->availableGeometry();
  return area;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  application();
  if (size == 0) return 0;
  bool fixed = data[0] & 1;
  MemoryProfile profile;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    size_t eq = line.find('=');
    if (eq != std::string::npos) profile.keys[line.substr(0, eq)] = line.substr(eq + 1);
  }

  QWidget form;
  form.setGeometry(40, 50, 300, 200);
  if (fixed) form.setFixedSize(300, 200);
  const QRect before = form.geometry();
  apputils::ReadFormPlacement(&form, &profile, "Form", true, true);
  QRect after = form.geometry();
  check(after == before || screens().contains(after), "a rectangle off the screen was applied");
  if (fixed) check(after.size() == before.size(), "a fixed-size form changed its size");

  MemoryProfile written;
  apputils::WriteFormPlacement(&form, &written, "Form");
  QWidget again;
  if (fixed) again.setFixedSize(300, 200);
  apputils::ReadFormPlacement(&again, &written, "Form", false, true);
  check(again.geometry() == form.geometry(), "a written placement read back elsewhere");
  return 0;
}
