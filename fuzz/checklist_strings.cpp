// The check list box's items as a stored form layout gives them ("Strings": text, state and
// enabled flag per item). The first input byte picks the layout's format version and the list's
// check kind; the rest is the list. Reading must not crash, may fail only with a read error,
// leaves every state among the three known ones (one checked radio item in a radio list), and
// what is written back reads back the same.
#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "controls/dormant/RxCheckListBox.h"
#include "gui/Exceptions.h"
#include "gui/Filer.h"
#include "gui/Streams.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "checklist_strings: %s\n", what);
    abort();
  }
}

// The font configuration library keeps a few blocks it never frees; nothing of ours allocates
// through it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

QApplication& application() {
  static int argc = 1;
  static char name[] = "fuzz_checklist_strings";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VYX_SIM", "1", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Writes the version the reader takes, then reads the list into the box.
bool readInto(rxctrls::TRxCheckListBox& box, int version, const uint8_t* data, size_t size) {
  gui::TMemoryStream stream;
  gui::TWriter(stream).WriteInteger(version);
  stream.WriteBuffer(data, int64_t(size));
  stream.SetPosition(0);
  gui::TReader reader(stream);
  box.BeginReading();
  bool ok = true;
  try {
    box.ReadVersion(reader);
    box.ReadStrings(reader);
  } catch (const gui::EReadError&) {
    ok = false;
  }
  box.EndReading();
  return ok;
}

}  // namespace

// Qt's font caches fill on first use and live as long as the application: they are filled here,
// before the leak checks of the runs begin.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  application();
  rxctrls::TRxCheckListBox warmUp;
  warmUp.Items().Add("warm up");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  application();
  if (size == 0) return 0;
  static constexpr int kVersions[] = {0, 1, 202};
  const int version = kVersions[data[0] % 3];
  const auto kind = rxctrls::TCheckKind(data[0] / 3 % 3);

  rxctrls::TRxCheckListBox box;
  box.SetCheckKind(kind);
  const bool ok = readInto(box, version, data + 1, size - 1);
  const int count = box.Items().Count();
  int checked = 0;
  for (int i = 0; i < count; ++i) {
    rxctrls::TCheckBoxState state = box.State(i);
    check(state == rxctrls::cbUnchecked || state == rxctrls::cbChecked || state == rxctrls::cbGrayed,
          "an unknown state");
    checked += state == rxctrls::cbChecked;
  }
  if (ok && kind == rxctrls::ckRadioButtons && count > 0) check(checked == 1, "radio list not one checked");
  if (!ok) return 0;

  gui::TMemoryStream written;
  gui::TWriter writer(written);
  box.WriteStrings(writer);
  rxctrls::TRxCheckListBox copy;
  copy.SetCheckKind(kind);
  check(readInto(copy, rxctrls::kCheckListVersion, written.Memory(), size_t(written.Size())),
        "a written list did not read back");
  check(copy.Items().Count() == count, "count differs after a round trip");
  for (int i = 0; i < count; ++i) {
    check(copy.Items().Get(i) == box.Items().Get(i), "text differs after a round trip");
    check(copy.State(i) == box.State(i), "state differs after a round trip");
    check(copy.EnabledItem(i) == box.EnabledItem(i), "enabled flag differs after a round trip");
  }
  return 0;
}
