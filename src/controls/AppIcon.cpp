#include "controls/AppIcon.h"

#include <QFile>

#include <cstdint>

#include "gui/Exceptions.h"
#include "gui/Icon.h"

// The resources live in a static library: registering them needs a reference from its code.
static void initPanelmiscResources() { Q_INIT_RESOURCE(controls_panelmisc); }

namespace appicon {

void LoadApplicationIcon(gui::TIcon& icon) {
  static const bool registered = (initPanelmiscResources(), true);
  (void)registered;
  QFile file(QString::fromLatin1(kApplicationIconResource));
  if (!file.open(QIODevice::ReadOnly)) {
    throw gui::EResNotFound(gui::FormatText(gui::texts::kResourceNotFound, "VYX_TV"));
  }
  QByteArray data = file.readAll();
  icon.LoadFromBytes(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
}

}  // namespace appicon
