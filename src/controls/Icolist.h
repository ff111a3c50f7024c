// TIconList: an ordered list of icons that owns them, reports every change (its own and its
// icons') through one OnChange event, batches changes between BeginUpdate and EndUpdate, and
// stores itself in a window layout as the binary property "Icons".
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gui {
class TGraphic;
class TIcon;
class TStream;
}  // namespace gui

namespace vclutils {
class ResourceId;
struct TModule;
}  // namespace vclutils

namespace icolist {

// The name of the layout property that holds the list (SaveToStream's format).
inline constexpr const char* kIconsProperty = "Icons";

class TIconList {
public:
  TIconList();
  virtual ~TIconList();
  TIconList(const TIconList&) = delete;
  TIconList& operator=(const TIconList&) = delete;

  void BeginUpdate();
  void EndUpdate();

  // The entry (may be null: an empty slot). Index errors raise EListError
  // "List index out of bounds (%d)", as every operation here that takes an index.
  gui::TIcon* Get(int index) const;
  gui::TIcon* operator[](int index) const { return Get(index); }
  int Count() const { return int(icons_.size()); }
  // Replaces the entry's image with a copy of icon (an empty image for null); index Count()
  // appends a new entry first.
  void Put(int index, const gui::TIcon* icon);

  // Appends a copy of icon (null: an empty icon); returns its index.
  int Add(const gui::TIcon* icon);
  // Appends the icon itself, taking ownership (null: an empty slot); returns its index.
  int AddIcon(std::unique_ptr<gui::TIcon> icon);
  // Inserts a copy of icon (null: an empty icon) at index 0..Count().
  void Insert(int index, const gui::TIcon* icon);
  void Delete(int index);
  void Clear();
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  // The position of that very icon object, -1 when it is not in the list.
  int IndexOf(const gui::TIcon* icon) const;

  // Icon resources of a module (vclutils::MakeModuleIcon). A missing or damaged resource gives
  // an empty icon, as a failed load does.
  int AddResource(const vclutils::TModule& module, const vclutils::ResourceId& resource);
  void InsertResource(int index, const vclutils::TModule& module,
                      const vclutils::ResourceId& resource);
  void LoadResource(const vclutils::TModule& module,
                    const std::vector<vclutils::ResourceId>& resources);

  // Null clears; a list or an icon replaces the contents with copies (one OnChange); any other
  // graphic raises EConvertError "Cannot assign a %s to a TIconList".
  void Assign(std::nullptr_t) { Clear(); }
  void Assign(const TIconList* source);
  void Assign(const gui::TGraphic* source);

  // The "Icons" format: a 32-bit count, then per entry a 32-bit size and that many bytes of the
  // icon file (size 0 for an empty slot or an empty icon). Integers are little-endian. Reading
  // replaces the contents with one OnChange, also when it fails; a stream that ends early, or
  // announces more bytes than it holds, raises EReadError and keeps the entries read so far.
  void LoadFromStream(gui::TStream& stream);
  void SaveToStream(gui::TStream& stream) const;
  // Whether a layout writes the property, given the inherited layout's list (or none).
  bool StoresIcons(const TIconList* ancestor) const;

  std::function<void(TIconList*)> OnChange;

protected:
  // Fires OnChange unless inside BeginUpdate/EndUpdate.
  virtual void Changed();

private:
  void checkIndex(int index) const;
  void watch(gui::TIcon* icon);
  static std::unique_ptr<gui::TIcon> copyOf(const gui::TIcon* icon);

  std::vector<std::unique_ptr<gui::TIcon>> icons_;
  int updateCount_ = 0;
};

}  // namespace icolist
