#include "controls/RxgifTypes.h"

namespace rxgif {

void TExtension::Assign(const TExtension& source) {
  if (&source == this) return;
  Type = source.Type;
  Fixed = source.Fixed;
  if (source.Data) {
    if (!Data) Data = std::make_unique<gui::TStringList>();
    Data->Assign(*source.Data);
  }
}

}  // namespace rxgif
