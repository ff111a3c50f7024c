#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "controls/Icolist.h"
#include "controls/Vclutils.h"
#include "gui/Bitmap.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"
#include "controls/SolidIcon.h"
#include "gui/Streams.h"

using namespace icolist;
using gui::TIcon;

namespace {


QRgb colorOf(const TIcon* icon) { return icon->Images()[0].color.pixel(0, 0) | 0xFF000000u; }

// Icons A..D told apart by colour; the list reads as a string of their letters, '-' for an
// empty slot and '0' for an empty icon.
const QRgb kColors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};

std::string letters(const TIconList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) {
    const TIcon* icon = list.Get(i);
    if (!icon) {
      out += '-';
    } else if (icon->Empty()) {
      out += '0';
    } else {
      char c = '?';
      for (int k = 0; k < 4; ++k) {
        if (colorOf(icon) == kColors[k]) c = char('A' + k);
      }
      out += c;
    }
  }
  return out;
}

// Three icons A, B, C in a list that counts its change events; icon D is spare.
struct ListOfThree {
  ListOfThree() {
    for (int k = 0; k < 4; ++k) {
      TIcon icon = solidIcon(kColors[k]);
      icons[k].Assign(&icon);
    }
    for (int k = 0; k < 3; ++k) list.Add(&icons[k]);
    list.OnChange = [this](TIconList* sender) {
      EXPECT_EQ(sender, &list);
      ++changes;
    };
  }

  TIcon icons[4];
  TIconList list;
  int changes = 0;
};

class IconListTest : public testing::Test, public ListOfThree {};

std::vector<uint8_t> bytesOf(const TIconList& list) {
  gui::TMemoryStream stream;
  list.SaveToStream(stream);
  return stream.Bytes();
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

// Every change outside a bracket fires one OnChange; the order is checked by letters.
TEST_F(IconListTest, OperationsAndTheirChangeEvents) {
  struct Case {
    const char* name;
    std::function<void(ListOfThree&)> run;
    const char* expected;
  } cases[] = {
      {"Add", [](ListOfThree& t) { EXPECT_EQ(t.list.Add(&t.icons[3]), 3); }, "ABCD"},
      {"Add null", [](ListOfThree& t) { t.list.Add(nullptr); }, "ABC0"},
      {"AddIcon null", [](ListOfThree& t) { t.list.AddIcon(nullptr); }, "ABC-"},
      {"Insert", [](ListOfThree& t) { t.list.Insert(1, &t.icons[3]); }, "ADBC"},
      {"Insert at end", [](ListOfThree& t) { t.list.Insert(3, &t.icons[3]); }, "ABCD"},
      {"Delete", [](ListOfThree& t) { t.list.Delete(0); }, "BC"},
      {"Exchange", [](ListOfThree& t) { t.list.Exchange(0, 2); }, "CBA"},
      {"Move forward", [](ListOfThree& t) { t.list.Move(0, 2); }, "BCA"},
      {"Move back", [](ListOfThree& t) { t.list.Move(2, 0); }, "CAB"},
      {"Put", [](ListOfThree& t) { t.list.Put(1, &t.icons[3]); }, "ADC"},
      {"Put past the end", [](ListOfThree& t) { t.list.Put(3, &t.icons[3]); }, "ABCD"},
      {"Put null", [](ListOfThree& t) { t.list.Put(0, nullptr); }, "0BC"},
      {"Clear", [](ListOfThree& t) { t.list.Clear(); }, ""},
      {"Assign icon", [](ListOfThree& t) { t.list.Assign(&t.icons[3]); }, "D"},
      {"Assign null", [](ListOfThree& t) { t.list.Assign(nullptr); }, ""},
      {"Assign list",
       [](ListOfThree& t) {
         TIconList other;
         other.Add(&t.icons[2]);
         other.AddIcon(nullptr);
         t.list.Assign(&other);
       },
       "C0"},
      {"Assign itself", [](ListOfThree& t) { t.list.Assign(&t.list); }, "ABC"},
      {"an icon's image changes", [](ListOfThree& t) { t.list.Get(1)->Assign(&t.icons[3]); },
       "ADC"},
      {"a batch",
       [](ListOfThree& t) {
         t.list.BeginUpdate();
         t.list.BeginUpdate();
         t.list.Add(&t.icons[3]);
         t.list.Delete(0);
         t.list.EndUpdate();
         t.list.Exchange(0, 1);
         t.list.EndUpdate();
       },
       "CBD"},
  };
  for (const Case& c : cases) {
    ListOfThree t;
    c.run(t);
    EXPECT_EQ(letters(t.list), c.expected) << c.name;
    int expectedChanges = std::string(c.name) == "Assign itself" ? 0 : 1;
    EXPECT_EQ(t.changes, expectedChanges) << c.name;
  }
}

TEST_F(IconListTest, IndexErrorsChangeNothing) {
  struct Case {
    const char* name;
    std::function<void(TIconList&, const TIcon*)> run;
    int index;
  } cases[] = {
      {"Get", [](TIconList& l, const TIcon*) { l.Get(3); }, 3},
      {"Get negative", [](TIconList& l, const TIcon*) { l.Get(-1); }, -1},
      {"Delete", [](TIconList& l, const TIcon*) { l.Delete(3); }, 3},
      {"Exchange", [](TIconList& l, const TIcon*) { l.Exchange(0, 5); }, 5},
      {"Move from", [](TIconList& l, const TIcon*) { l.Move(4, 0); }, 4},
      {"Move to", [](TIconList& l, const TIcon*) { l.Move(0, 3); }, 3},
      {"Put", [](TIconList& l, const TIcon* i) { l.Put(4, i); }, 4},
      {"Insert", [](TIconList& l, const TIcon* i) { l.Insert(4, i); }, 4},
  };
  for (const Case& c : cases) {
    changes = 0;
    try {
      c.run(list, &icons[3]);
      ADD_FAILURE() << c.name << " raised nothing";
    } catch (const gui::EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(c.index) + ")")
          << c.name;
    }
    EXPECT_EQ(letters(list), "ABC") << c.name;
    // Put's bracket closes on the way out: one event there, none elsewhere.
    EXPECT_EQ(changes, std::string(c.name) == "Put" ? 1 : 0) << c.name;
  }
}

TEST_F(IconListTest, ListOwnsCopiesAndAddIconTakesTheObject) {
  TIcon source = solidIcon(kColors[3]);
  list.Put(0, &source);
  source.Assign(&icons[1]);
  EXPECT_EQ(letters(list), "DBC") << "Put copies the image";
  EXPECT_NE(list.Get(0), &source);

  auto own = std::make_unique<TIcon>(icons[0]);
  TIcon* raw = own.get();
  EXPECT_EQ(list.AddIcon(std::move(own)), 3);
  EXPECT_EQ(list.IndexOf(raw), 3);
  EXPECT_EQ(list.IndexOf(&icons[0]), -1);
  changes = 0;
  raw->Assign(&icons[2]);
  EXPECT_EQ(changes, 1) << "the added icon reports its changes";
}

TEST_F(IconListTest, AssigningAnotherGraphicRaises) {
  gui::TBitmap bitmap(4, 4);
  try {
    list.Assign(&bitmap);
    FAIL() << "no exception";
  } catch (const gui::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TBitmap to a TIconList");
  }
  EXPECT_EQ(letters(list), "ABC");
  EXPECT_EQ(changes, 0);
}

TEST_F(IconListTest, NoEventWhileDying) {
  auto dying = std::make_unique<TIconList>();
  dying->Add(&icons[0]);
  int fired = 0;
  dying->OnChange = [&](TIconList*) { ++fired; };
  dying.reset();
  EXPECT_EQ(fired, 0);
}

TEST_F(IconListTest, StreamLayout) {
  TIcon big = solidIcon(kColors[2], 32);
  list.Clear();
  list.Add(&icons[0]);
  list.AddIcon(nullptr);
  list.Add(&big);
  list.Add(nullptr);  // an empty icon is written like an empty slot

  std::vector<uint8_t> expected;
  put32(expected, 4);
  const TIcon* written[] = {&icons[0], nullptr, &big, nullptr};
  for (const TIcon* icon : written) {
    if (!icon) {
      put32(expected, 0);
      continue;
    }
    std::vector<uint8_t> file = icon->SaveToBytes();
    put32(expected, uint32_t(file.size()));
    expected.insert(expected.end(), file.begin(), file.end());
  }
  EXPECT_EQ(bytesOf(list), expected);
}

TEST_F(IconListTest, StreamRoundTrip) {
  TIcon big = solidIcon(kColors[3], 32);
  list.AddIcon(nullptr);
  list.Add(&big);
  gui::TMemoryStream stream;
  list.SaveToStream(stream);

  TIconList back;
  back.Add(&icons[0]);  // replaced by the load
  int fired = 0;
  back.OnChange = [&](TIconList*) { ++fired; };
  stream.SetPosition(0);
  back.LoadFromStream(stream);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(letters(back), "ABC-D");
  EXPECT_EQ(back.Get(3), nullptr);
  EXPECT_EQ(back.Get(4)->Width(), 32);
  EXPECT_EQ(bytesOf(back), stream.Bytes()) << "writes back the same bytes";
  EXPECT_EQ(stream.Position(), stream.Size()) << "reads exactly its own bytes";
}

TEST_F(IconListTest, EmptyStreamGivesAnEmptyList) {
  gui::TMemoryStream stream;
  TIconList().SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 4);
  stream.SetPosition(0);
  list.LoadFromStream(stream);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(changes, 1);
}

// A damaged stream raises the class library's exception, keeps what was read before it and
// still ends the bracket with one OnChange.
TEST_F(IconListTest, DamagedStreams) {
  std::vector<uint8_t> good = solidIcon(kColors[1]).SaveToBytes();
  auto stream = [&](int count, std::vector<int64_t> sizes, std::vector<uint8_t> tail) {
    std::vector<uint8_t> out;
    put32(out, uint32_t(count));
    for (int64_t size : sizes) {
      put32(out, uint32_t(size));
      if (size == int64_t(good.size())) out.insert(out.end(), good.begin(), good.end());
    }
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* kept;
    bool readError;  // else the icon reader's error
  } cases[] = {
      {"no count", {1, 0}, "", true},
      {"count without entries", stream(2, {}, {}), "", true},
      {"second size missing", stream(2, {int64_t(good.size())}, {}), "B", true},
      {"size past the end", stream(1, {}, {0x00, 0x00, 0x00, 0x70, 1, 2, 3}), "", true},
      {"cut icon", stream(2, {0}, {0x40, 0, 0, 0, 0, 0, 1, 0}), "-", true},
      {"not an icon", stream(2, {0}, {4, 0, 0, 0, 'a', 'b', 'c', 'd'}), "-", false},
  };
  for (const Case& c : cases) {
    TIconList target;
    target.Add(&icons[0]);
    int fired = 0;
    target.OnChange = [&](TIconList*) { ++fired; };
    gui::TMemoryStream in;
    in.Write(c.bytes.data(), int64_t(c.bytes.size()));
    in.SetPosition(0);
    try {
      target.LoadFromStream(in);
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const gui::EReadError& e) {
      EXPECT_TRUE(c.readError) << c.name << ": " << e.Message();
      EXPECT_EQ(e.Message(), "Stream read error");
    } catch (const gui::EInvalidGraphic& e) {
      EXPECT_FALSE(c.readError) << c.name << ": " << e.Message();
    }
    EXPECT_EQ(letters(target), c.kept) << c.name;
    EXPECT_EQ(fired, 1) << c.name;
  }
}

TEST_F(IconListTest, WhetherALayoutStoresTheList) {
  TIconList empty, nulls, otherNulls, copy;
  nulls.AddIcon(nullptr);
  otherNulls.AddIcon(nullptr);
  copy.Assign(&list);
  EXPECT_FALSE(empty.StoresIcons(nullptr));
  EXPECT_TRUE(list.StoresIcons(nullptr));
  EXPECT_TRUE(list.StoresIcons(&empty)) << "counts differ";
  EXPECT_TRUE(list.StoresIcons(&copy)) << "other icon objects, even with equal images";
  EXPECT_FALSE(nulls.StoresIcons(&otherNulls)) << "every slot equal (both empty)";
  EXPECT_FALSE(empty.StoresIcons(&empty));
  EXPECT_TRUE(nulls.StoresIcons(&empty));
}

TEST_F(IconListTest, ResourcesFromAModuleFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<uint8_t> file = icons[3].SaveToBytes();
  QFile out(dir.filePath("Frame1.ICO"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(reinterpret_cast<const char*>(file.data()), qint64(file.size()));
  out.close();
  QFile damaged(dir.filePath("bad.ico"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("not an icon");
  damaged.close();
  vclutils::TModule folder{dir.path().toStdString()};

  EXPECT_EQ(list.AddResource(folder, "frame1"), 3);
  list.InsertResource(0, folder, "missing");
  list.LoadResource(folder, {"FRAME1", "bad"});
  EXPECT_EQ(letters(list), "0ABCDD0");
  EXPECT_EQ(changes, 3);
}

TEST_F(IconListTest, Screenshot) {
  QImage sheet(4 * 20 + 4, 24, QImage::Format_ARGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  list.Add(&icons[3]);
  for (int i = 0; i < list.Count(); ++i) {
    painter.drawImage(4 + i * 20, 4, list.Get(i)->Images()[0].color);
  }
  painter.end();
  QByteArray env = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = env.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(env);
  QDir().mkpath(folder);
  EXPECT_TRUE(sheet.save(folder + "/icolist.png"));
}
