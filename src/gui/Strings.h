// String lists of the class library: TStrings (the shared algorithms: Text with CRLF, CommaText,
// Names/Values, streams) and TStringList (sorted or not, duplicates policy, objects, change
// events). Strings are Windows-1251 bytes; comparisons ignore case.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace gui {

class TStream;

class TStrings {
public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual void* GetObject(int index) const;
  virtual void PutObject(int index, void* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);
  virtual int IndexOf(const std::string& s) const;

  std::string operator[](int index) const { return Get(index); }
  std::string Strings(int index) const { return Get(index); }
  void* Objects(int index) const { return GetObject(index); }

  int AddObject(const std::string& s, void* object);
  void InsertObject(int index, const std::string& s, void* object);
  void AddStrings(const TStrings& strings);
  void Assign(const TStrings& source);
  bool Equals(const TStrings& other) const;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int currentIndex, int newIndex);
  int IndexOfObject(void* object) const;

  // "name=value" lines: the name is the part before the first '=' (empty without one).
  std::string Names(int index) const;
  int IndexOfName(const std::string& name) const;
  std::string Values(const std::string& name) const;
  // An empty value deletes the line; otherwise the line is replaced or added.
  void SetValues(const std::string& name, const std::string& value);

  // Every line followed by CR LF.
  std::string Text() const;
  // Lines end at CR, LF or CR LF; a last line without an end counts.
  virtual void SetText(const std::string& text);
  // Items separated by ','; an item that is empty on its own or holds a blank, control
  // character, ',' or '"' is written in double quotes with inner quotes doubled.
  std::string CommaText() const;
  // Items separated by ',' or blanks; "..." groups with "" for a quote.
  void SetCommaText(const std::string& text);

  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  void BeginUpdate();
  void EndUpdate();

protected:
  int updateCount() const { return updateCount_; }
  virtual void SetUpdateState(bool updating) {}

private:
  int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
  int Count() const override { return int(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  // Raises EStringListError "Operation not allowed on sorted string list" on a sorted list.
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  // On a sorted list the string goes to its place; an equal string is ignored (dupIgnore,
  // returning its index), raises "String list does not allow duplicates" (dupError) or is added.
  int Add(const std::string& s) override;
  int IndexOf(const std::string& s) const override;

  // Binary search of a sorted list: true and the index when found, else the insertion index.
  bool Find(const std::string& s, int& index) const;
  void Sort();
  void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

  std::function<void()> OnChange;
  std::function<void()> OnChanging;

protected:
  void SetUpdateState(bool updating) override;

private:
  struct Item {
    std::string text;
    void* object = nullptr;
  };
  void checkIndex(int index) const;
  void insertItem(int index, const std::string& s, void* object);
  void changing();
  void changed();

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace gui
