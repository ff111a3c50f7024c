#include "gui/Strings.h"

#include <algorithm>

#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

namespace gui {

namespace {

bool needsQuotes(const std::string& s) {
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || c == '"' || c == ',') return true;
  }
  return false;
}

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

bool isBlank(char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; }

}  // namespace

void TStrings::Put(int index, const std::string& s) {
  void* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

void* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, void*) {}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i) {
    if (AnsiCompareText(Get(i), s) == 0) return i;
  }
  return -1;
}

int TStrings::AddObject(const std::string& s, void* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, void* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(source);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i) {
    if (Get(i) != other.Get(i)) return false;
  }
  return true;
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  std::string s1 = Get(index1), s2 = Get(index2);
  void* o1 = GetObject(index1);
  void* o2 = GetObject(index2);
  Put(index1, s2);
  PutObject(index1, o2);
  Put(index2, s1);
  PutObject(index2, o1);
  EndUpdate();
}

void TStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  BeginUpdate();
  std::string s = Get(currentIndex);
  void* object = GetObject(currentIndex);
  Delete(currentIndex);
  InsertObject(newIndex, s, object);
  EndUpdate();
}

int TStrings::IndexOfObject(void* object) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetObject(i) == object) return i;
  }
  return -1;
}

std::string TStrings::Names(int index) const {
  std::string s = Get(index);
  size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    size_t eq = s.find('=');
    if (eq != std::string::npos && AnsiCompareText(s.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  int index = IndexOfName(name);
  if (index < 0) return {};
  std::string s = Get(index);
  return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Add(name + "=" + value);
  } else {
    Put(index, name + "=" + value);
  }
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
  return text;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t p = 0;
  while (p < text.size()) {
    size_t start = p;
    while (p < text.size() && text[p] != '\r' && text[p] != '\n') ++p;
    Add(text.substr(start, p - start));
    if (p < text.size() && text[p] == '\r') ++p;
    if (p < text.size() && text[p] == '\n') ++p;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  if (Count() == 1 && Get(0).empty()) return "\"\"";
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    if (i > 0) text.push_back(',');
    text += needsQuotes(s) ? quoted(s) : s;
  }
  return text;
}

void TStrings::SetCommaText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t p = 0, n = text.size();
  while (p < n && isBlank(text[p])) ++p;
  while (p < n) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item.push_back('"');
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item.push_back(text[p++]);
      }
    } else {
      size_t start = p;
      while (p < n && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') ++p;
      item = text.substr(start, p - start);
    }
    Add(item);
    while (p < n && isBlank(text[p])) ++p;
    if (p < n && text[p] == ',') {
      do ++p;
      while (p < n && isBlank(text[p]));
    }
  }
  EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream) {
  int64_t size = stream.Size() - stream.Position();
  std::string text(size_t(std::max<int64_t>(size, 0)), '\0');
  int64_t read = stream.Read(text.data(), int64_t(text.size()));
  text.resize(size_t(std::max<int64_t>(read, 0)));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string text = Text();
  stream.WriteBuffer(text.data(), int64_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (--updateCount_ == 0) SetUpdateState(false);
}

// TStringList

void TStringList::checkIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EStringListError(FormatText(texts::kListIndexError, index));
  }
}

std::string TStringList::Get(int index) const {
  checkIndex(index);
  return items_[size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError(texts::kSortedListError);
  checkIndex(index);
  changing();
  items_[size_t(index)].text = s;
  changed();
}

void* TStringList::GetObject(int index) const {
  checkIndex(index);
  return items_[size_t(index)].object;
}

void TStringList::PutObject(int index, void* object) {
  checkIndex(index);
  changing();
  items_[size_t(index)].object = object;
  changed();
}

void TStringList::Insert(int index, const std::string& s) {
  if (sorted_) throw EStringListError(texts::kSortedListError);
  if (index < 0 || index > Count()) {
    throw EStringListError(FormatText(texts::kListIndexError, index));
  }
  insertItem(index, s, nullptr);
}

void TStringList::insertItem(int index, const std::string& s, void* object) {
  changing();
  items_.insert(items_.begin() + index, Item{s, object});
  changed();
}

void TStringList::Delete(int index) {
  checkIndex(index);
  changing();
  items_.erase(items_.begin() + index);
  changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  changing();
  items_.clear();
  changed();
}

int TStringList::Add(const std::string& s) {
  if (!sorted_) {
    insertItem(Count(), s, nullptr);
    return Count() - 1;
  }
  int index = 0;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError(texts::kDuplicateString);
  }
  insertItem(index, s, nullptr);
  return index;
}

int TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index = 0;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  int low = 0, high = Count() - 1;
  bool found = false;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = AnsiCompareText(items_[size_t(mid)].text, s);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        // With duplicates ignored there is only one; otherwise keep searching for the first.
        if (duplicates_ != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& list, int a, int b) {
    return AnsiCompareText(list.items_[size_t(a)].text, list.items_[size_t(b)].text);
  });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
  if (Count() < 2) return;
  changing();
  // Sort a permutation, since the comparison sees the list by index.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[size_t(i)]));
  items_ = std::move(sorted);
  changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnChanging) OnChanging();
  } else if (OnChange) {
    OnChange();
  }
}

void TStringList::changing() {
  if (updateCount() == 0 && OnChanging) OnChanging();
}

void TStringList::changed() {
  if (updateCount() == 0 && OnChange) OnChange();
}

}  // namespace gui
