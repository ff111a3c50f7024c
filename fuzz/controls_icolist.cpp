// The "Icons" layout property as the icon list reads it: any bytes must either load or raise
// the class library's exception (keeping the entries read so far), and a loaded list must save
// and load back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/Icolist.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gui::TMemoryStream in;
  in.Write(data, int64_t(size));
  in.SetPosition(0);
  icolist::TIconList list;
  int changes = 0;
  list.OnChange = [&](icolist::TIconList*) { ++changes; };
  bool loaded = true;
  try {
    list.LoadFromStream(in);
  } catch (const gui::Exception&) {
    loaded = false;
  }
  if (changes != 1) std::abort();
  if (!loaded) return 0;
  gui::TMemoryStream saved;
  list.SaveToStream(saved);
  saved.SetPosition(0);
  icolist::TIconList back;
  back.LoadFromStream(saved);
  gui::TMemoryStream again;
  back.SaveToStream(again);
  if (again.Bytes() != saved.Bytes() || back.Count() != list.Count()) std::abort();
  return 0;
}
