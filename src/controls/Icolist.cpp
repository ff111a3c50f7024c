#include "controls/Icolist.h"

#include <cstdint>
#include <utility>

#include "controls/Vclutils.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"
#include "gui/Streams.h"

namespace icolist {

using gui::TIcon;

namespace {

// Brackets a batch so that it ends with one OnChange, also when a step throws.
class UpdateBracket {
public:
  explicit UpdateBracket(TIconList& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateBracket() { list_.EndUpdate(); }
  UpdateBracket(const UpdateBracket&) = delete;
  UpdateBracket& operator=(const UpdateBracket&) = delete;

private:
  TIconList& list_;
};

// An icon resource of the module; a missing or damaged one gives an empty icon, as the system's
// icon loader answers with no handle.
std::unique_ptr<TIcon> loadIconResource(const vclutils::TModule& module,
                                        const vclutils::ResourceId& resource) {
  std::unique_ptr<TIcon> icon = vclutils::MakeModuleIcon(module, resource);
  return icon ? std::move(icon) : std::make_unique<TIcon>();
}

int32_t readInt32(gui::TStream& stream) {
  uint8_t bytes[4];
  stream.ReadBuffer(bytes, 4);
  return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                 uint32_t(bytes[3]) << 24);
}

void writeInt32(gui::TStream& stream, int32_t value) {
  auto v = uint32_t(value);
  uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  stream.WriteBuffer(bytes, 4);
}

}  // namespace

TIconList::TIconList() = default;

TIconList::~TIconList() {
  OnChange = nullptr;  // no event while dying
  Clear();
}

void TIconList::BeginUpdate() { ++updateCount_; }

void TIconList::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TIconList::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(this);
}

void TIconList::checkIndex(int index) const {
  if (index < 0 || index >= Count()) throw gui::EListError::IndexOutOfBounds(index);
}

void TIconList::watch(TIcon* icon) {
  // A change of an icon's image counts as a change of the list.
  if (icon) icon->OnChange = [this](gui::TGraphic*) { Changed(); };
}

std::unique_ptr<TIcon> TIconList::copyOf(const TIcon* icon) {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(icon);  // null leaves it empty
  return copy;
}

TIcon* TIconList::Get(int index) const {
  checkIndex(index);
  return icons_[size_t(index)].get();
}

void TIconList::Put(int index, const TIcon* icon) {
  UpdateBracket bracket(*this);
  if (index == Count()) Add(nullptr);
  checkIndex(index);
  auto& entry = icons_[size_t(index)];
  if (!entry) entry = std::make_unique<TIcon>();
  watch(entry.get());
  entry->Assign(icon);
}

int TIconList::Add(const TIcon* icon) { return AddIcon(copyOf(icon)); }

int TIconList::AddIcon(std::unique_ptr<TIcon> icon) {
  watch(icon.get());
  icons_.push_back(std::move(icon));
  Changed();
  return Count() - 1;
}

void TIconList::Insert(int index, const TIcon* icon) {
  if (index < 0 || index > Count()) throw gui::EListError::IndexOutOfBounds(index);
  std::unique_ptr<TIcon> copy = copyOf(icon);
  watch(copy.get());
  icons_.insert(icons_.begin() + index, std::move(copy));
  Changed();
}

void TIconList::Delete(int index) {
  checkIndex(index);
  if (TIcon* icon = icons_[size_t(index)].get()) icon->OnChange = nullptr;
  icons_.erase(icons_.begin() + index);
  Changed();
}

void TIconList::Clear() {
  UpdateBracket bracket(*this);
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

void TIconList::Exchange(int index1, int index2) {
  checkIndex(index1);
  checkIndex(index2);
  std::swap(icons_[size_t(index1)], icons_[size_t(index2)]);
  Changed();
}

void TIconList::Move(int curIndex, int newIndex) {
  checkIndex(curIndex);
  checkIndex(newIndex);
  std::unique_ptr<TIcon> icon = std::move(icons_[size_t(curIndex)]);
  icons_.erase(icons_.begin() + curIndex);
  icons_.insert(icons_.begin() + newIndex, std::move(icon));
  Changed();
}

int TIconList::IndexOf(const TIcon* icon) const {
  for (int i = 0; i < Count(); ++i) {
    if (icons_[size_t(i)].get() == icon) return i;
  }
  return -1;
}

int TIconList::AddResource(const vclutils::TModule& module, const vclutils::ResourceId& resource) {
  return AddIcon(loadIconResource(module, resource));
}

void TIconList::InsertResource(int index, const vclutils::TModule& module,
                               const vclutils::ResourceId& resource) {
  if (index < 0 || index > Count()) throw gui::EListError::IndexOutOfBounds(index);
  std::unique_ptr<TIcon> icon = loadIconResource(module, resource);
  watch(icon.get());
  icons_.insert(icons_.begin() + index, std::move(icon));
  Changed();
}

void TIconList::LoadResource(const vclutils::TModule& module,
                             const std::vector<vclutils::ResourceId>& resources) {
  UpdateBracket bracket(*this);
  for (const vclutils::ResourceId& resource : resources) AddResource(module, resource);
}

void TIconList::Assign(const TIconList* source) {
  // Assigning the list to itself would clear it before copying; it is already equal.
  if (source == this) return;
  if (!source) {
    Clear();
    return;
  }
  UpdateBracket bracket(*this);
  Clear();
  for (const auto& icon : source->icons_) Add(icon.get());
}

void TIconList::Assign(const gui::TGraphic* source) {
  if (!source) {
    Clear();
    return;
  }
  auto* icon = dynamic_cast<const TIcon*>(source);
  if (!icon) {
    throw gui::EConvertError(gui::FormatText(gui::texts::kAssignError, source->ClassName(),
                                             "TIconList"));
  }
  UpdateBracket bracket(*this);
  Clear();
  Add(icon);
}

void TIconList::LoadFromStream(gui::TStream& stream) {
  UpdateBracket bracket(*this);
  Clear();
  int32_t count = readInt32(stream);
  for (int32_t i = 0; i < count; ++i) {
    int32_t size = readInt32(stream);
    if (size <= 0) {
      AddIcon(nullptr);
      continue;
    }
    // Refuse a size the stream cannot hold before allocating for it.
    if (size > stream.Size() - stream.Position()) throw gui::EReadError();
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), size);
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromBytes(bytes.data(), bytes.size());
    AddIcon(std::move(icon));
  }
}

void TIconList::SaveToStream(gui::TStream& stream) const {
  writeInt32(stream, Count());
  for (const auto& icon : icons_) {
    if (!icon || icon->Empty()) {
      writeInt32(stream, 0);
      continue;
    }
    std::vector<uint8_t> bytes = icon->SaveToBytes();
    writeInt32(stream, int32_t(bytes.size()));
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  }
}

bool TIconList::StoresIcons(const TIconList* ancestor) const {
  if (ancestor && ancestor->Count() == Count() && Count() > 0) {
    for (int i = 0; i < Count(); ++i) {
      if (icons_[size_t(i)].get() != ancestor->icons_[size_t(i)].get()) return true;
    }
    return false;
  }
  return Count() > 0;
}

}  // namespace icolist
