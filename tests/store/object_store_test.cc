#include "store/object_store.h"
#include "store/object_pool.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

Names ObjectNames(const ObjectStore& store) {
  Names names;
  for (int i = 0; i < store.GetObjectCount(); ++i) names.push_back(store.GetObjectNameAt(i));
  return names;
}

Names SectionKeys(const ObjectStore& store, const std::string& object, const std::string& section) {
  const StoreObject* found = store.FindObject(object);
  if (found == nullptr) return {"<no object>"};
  const PropertySection* s = found->sections().Find(section);
  if (s == nullptr) return {"<no section>"};
  return s->properties().keys();
}

TEST(ObjectStoreTest, ObjectsEnumerateInCreationOrder) {
  ObjectStore store;
  EXPECT_TRUE(store.CreateObject("namBar", "typBar"));
  EXPECT_TRUE(store.CreateObject("b1", "BUTTON"));
  EXPECT_TRUE(store.CreateObject("b0", "BUTTON"));
  EXPECT_TRUE(store.CreateObject("a", "LABEL"));
  EXPECT_EQ(ObjectNames(store), (Names{"namBar", "b1", "b0", "a"}));
  EXPECT_EQ(store.GetObjectIndex("b0"), 2);
  EXPECT_EQ(store.GetObjectIndex("missing"), -1);
  EXPECT_EQ(store.GetObjectNameAt(-1), "");
  EXPECT_EQ(store.GetObjectNameAt(4), "");

  store.RemoveObject("b1");
  EXPECT_EQ(ObjectNames(store), (Names{"namBar", "b0", "a"}));
  EXPECT_EQ(store.GetObjectIndex("a"), 2);
  store.RemoveObject("missing");  // no effect
  EXPECT_EQ(store.GetObjectCount(), 3);
  // A name freed by removal is taken again at the end.
  EXPECT_TRUE(store.CreateObject("b1", "LABEL"));
  EXPECT_EQ(ObjectNames(store), (Names{"namBar", "b0", "a", "b1"}));
  EXPECT_EQ(store.GetObjectType("b1"), "LABEL");
}

TEST(ObjectStoreTest, CreateObjectTrimsOnlyThere) {
  ObjectStore store;
  EXPECT_TRUE(store.CreateObject("  Go ", "BUTTON"));
  EXPECT_FALSE(store.ObjectExists("  Go "));
  EXPECT_TRUE(store.ObjectExists("Go"));
  EXPECT_EQ(store.GetObjectNameAt(0), "Go");
  // Lookups are not trimmed.
  EXPECT_FALSE(store.SetProperty(" Go", "Prop", "Text", "x"));
  EXPECT_EQ(store.GetObjectIndex("Go "), -1);
  // The existing object is kept untouched, type included.
  EXPECT_TRUE(store.SetProperty("Go", "Prop", "Text", "Go!"));
  EXPECT_FALSE(store.CreateObject("Go", "LABEL"));
  EXPECT_FALSE(store.CreateObject(" Go  ", "LABEL"));
  EXPECT_EQ(store.GetObjectType("Go"), "BUTTON");
  EXPECT_EQ(store.GetProperty("Go", "Prop", "Text"), "Go!");
  EXPECT_EQ(store.GetObjectCount(), 1);
  // The type is stored as given.
  EXPECT_TRUE(store.CreateObject("t", " BUTTON "));
  EXPECT_EQ(store.GetObjectType("t"), " BUTTON ");
}

TEST(ObjectStoreTest, CreateObjectRefusesEmptyNames) {
  ObjectStore store;
  for (const std::string name : {"", " ", "    "}) {
    SCOPED_TRACE("'" + name + "'");
    EXPECT_FALSE(store.CreateObject(name, "BUTTON"));
  }
  EXPECT_EQ(store.GetObjectCount(), 0);
  // A tab is not a space: it makes a name.
  EXPECT_TRUE(store.CreateObject("\t", "BUTTON"));
}

TEST(ObjectStoreTest, LookupsAreExactAndCaseSensitive) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Width", "40"));
  ASSERT_TRUE(store.SetProperty("b1", "prop", "Width", "10"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "width", "20"));
  EXPECT_EQ(store.GetProperty("b1", "Prop", "Width"), "40");
  EXPECT_EQ(store.GetProperty("b1", "prop", "Width"), "10");
  EXPECT_EQ(store.GetProperty("b1", "Prop", "width"), "20");
  EXPECT_FALSE(store.ObjectExists("B1"));
  EXPECT_FALSE(store.SectionExists("b1", "PROP"));
  EXPECT_FALSE(store.PropertyExists("b1", "Prop", "WIDTH"));
  EXPECT_EQ(store.GetObjectType("B1"), "");
}

TEST(ObjectStoreTest, GetPropertyMisses) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Empty", ""));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Text", "Go"));
  const struct {
    const char* name;
    std::string object, section, key;
    std::string value;
    bool exists;
  } cases[] = {
      {"present", "b1", "Prop", "Text", "Go", true},
      {"empty value", "b1", "Prop", "Empty", "", true},
      {"missing key", "b1", "Prop", "Width", "", false},
      {"missing section", "b1", "secHeap", "Text", "", false},
      {"missing object", "b2", "Prop", "Text", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(store.GetProperty(c.object, c.section, c.key), c.value);
    EXPECT_EQ(store.PropertyExists(c.object, c.section, c.key), c.exists);
  }
}

TEST(ObjectStoreTest, SetPropertyKeepsFirstSetOrder) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  EXPECT_TRUE(store.SetProperty("b1", "Prop", "Width", "40"));
  EXPECT_TRUE(store.SetProperty("b1", "Prop", "Text", "Go"));
  EXPECT_TRUE(store.SetProperty("b1", "Prop", "Width", "80"));
  EXPECT_EQ(SectionKeys(store, "b1", "Prop"), (Names{"Width", "Text"}));
  EXPECT_EQ(store.GetProperty("b1", "Prop", "Width"), "80");
  const PropertyList& list = store.FindObject("b1")->sections().Find("Prop")->properties();
  EXPECT_EQ(list.values(), (Names{"80", "Go"}));

  // Sections, too, keep the order in which they were first set.
  EXPECT_TRUE(store.SetProperty("b1", "secHeap", "Button", "1234"));
  EXPECT_TRUE(store.SetProperty("b1", "Prop", "ToolTip", "t"));
  const SectionList& sections = store.FindObject("b1")->sections();
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections.NameAt(0), "Prop");
  EXPECT_EQ(sections.NameAt(1), "secHeap");
}

TEST(ObjectStoreTest, SetPropertyOnMissingObjectCreatesNothing) {
  ObjectStore store;
  EXPECT_FALSE(store.SetProperty("b1", "Prop", "Text", "Go"));
  EXPECT_FALSE(store.ObjectExists("b1"));
  EXPECT_EQ(store.GetObjectCount(), 0);
}

TEST(ObjectStoreTest, NewSectionHoldsExactlyTheOneKey) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  EXPECT_FALSE(store.SectionExists("b1", "Prop"));
  EXPECT_TRUE(store.SetProperty("b1", "Prop", "Text", "Go"));
  EXPECT_TRUE(store.SectionExists("b1", "Prop"));
  EXPECT_EQ(SectionKeys(store, "b1", "Prop"), Names{"Text"});
  // Empty section names and keys are legal.
  EXPECT_TRUE(store.SetProperty("b1", "", "", ""));
  EXPECT_TRUE(store.SectionExists("b1", ""));
  EXPECT_TRUE(store.PropertyExists("b1", "", ""));
}

TEST(ObjectStoreTest, Removal) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Text", "Go"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Width", "40"));
  ASSERT_TRUE(store.SetProperty("b1", "secHeap", "Button", "1"));

  EXPECT_TRUE(store.RemoveProperty("b1", "Prop", "Text"));
  EXPECT_FALSE(store.PropertyExists("b1", "Prop", "Text"));
  EXPECT_EQ(SectionKeys(store, "b1", "Prop"), Names{"Width"});
  EXPECT_TRUE(store.RemoveProperty("b1", "Prop", "Missing"));    // section exists
  EXPECT_FALSE(store.RemoveProperty("b1", "Missing", "Width"));  // section missing
  EXPECT_FALSE(store.RemoveProperty("b2", "Prop", "Width"));     // object missing
  // A re-set key goes to the end.
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Text", "Again"));
  EXPECT_EQ(SectionKeys(store, "b1", "Prop"), (Names{"Width", "Text"}));

  EXPECT_TRUE(store.RemoveSection("b1", "secHeap"));
  EXPECT_FALSE(store.SectionExists("b1", "secHeap"));
  EXPECT_TRUE(store.RemoveSection("b1", "Missing"));
  EXPECT_FALSE(store.RemoveSection("b2", "Prop"));
  EXPECT_TRUE(store.SectionExists("b1", "Prop"));

  store.ClearStore();
  EXPECT_EQ(store.GetObjectCount(), 0);
  EXPECT_FALSE(store.ObjectExists("b1"));
  EXPECT_EQ(store.GetProperty("b1", "Prop", "Width"), "");
}

// The first section is kept apart from the others; removing it, or one of
// many, keeps the rest in order and with their properties.
TEST(ObjectStoreTest, SectionsKeepOrderAndContentThroughRemovals) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  Names expected;
  for (int i = 0; i < 10; ++i) {
    const std::string section = "s" + std::to_string(i);
    ASSERT_TRUE(store.SetProperty("b1", section, "Text", "value of " + section));
    expected.push_back(section);
  }
  const auto section_names = [&] {
    Names names;
    const SectionList& sections = store.FindObject("b1")->sections();
    for (int i = 0; i < sections.Count(); ++i) names.push_back(sections.NameAt(i));
    return names;
  };
  for (const std::string removed : {"s0", "s5", "s9", "s1"}) {
    ASSERT_TRUE(store.RemoveSection("b1", removed));
    expected.erase(std::find(expected.begin(), expected.end(), removed));
    EXPECT_EQ(section_names(), expected) << "without " << removed;
    EXPECT_FALSE(store.SectionExists("b1", removed));
    for (const std::string& section : expected) {
      EXPECT_EQ(store.GetProperty("b1", section, "Text"), "value of " + section);
    }
  }
  // A removed name comes back at the end.
  ASSERT_TRUE(store.SetProperty("b1", "s0", "Text", "again"));
  expected.push_back("s0");
  EXPECT_EQ(section_names(), expected);
  EXPECT_EQ(store.GetProperty("b1", "s0", "Text"), "again");
  // The only section removed leaves none.
  ASSERT_TRUE(store.CreateObject("b2", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b2", "Prop", "Text", "x"));
  ASSERT_TRUE(store.RemoveSection("b2", "Prop"));
  EXPECT_EQ(store.FindObject("b2")->sections().Count(), 0);
  ASSERT_TRUE(store.SetProperty("b2", "Prop", "Text", "y"));
  EXPECT_EQ(store.GetProperty("b2", "Prop", "Text"), "y");
}

TEST(ObjectStoreTest, StoresAreIndependent) {
  ObjectStore a;
  ObjectStore b;
  ASSERT_TRUE(a.CreateObject("x", "T"));
  EXPECT_FALSE(b.ObjectExists("x"));
  EXPECT_TRUE(b.CreateObject("x", "U"));
  EXPECT_EQ(a.GetObjectType("x"), "T");
}

TEST(ObjectStoreTest, Separators) {
  ObjectStore store;
  EXPECT_EQ(store.key_value_separator(), "=");
  EXPECT_EQ(store.pair_separator(), ";");
}

// Counts live instances, to see what the list destroys.
struct Tracked {
  explicit Tracked(int* live) : live(live) { ++*live; }
  ~Tracked() { --*live; }
  int* live;
};

TEST(NamedListTest, OwnsItsElements) {
  int live = 0;
  {
    NamedList<Tracked> list;
    EXPECT_TRUE(list.Add("a", std::make_unique<Tracked>(&live)));
    EXPECT_TRUE(list.Add("b", std::make_unique<Tracked>(&live)));
    EXPECT_TRUE(list.Add("c", std::make_unique<Tracked>(&live)));
    EXPECT_EQ(live, 3);

    // A refused element is destroyed, the first one kept.
    Tracked* first_a = list.Find("a");
    EXPECT_FALSE(list.Add("a", std::make_unique<Tracked>(&live)));
    EXPECT_EQ(live, 3);
    EXPECT_EQ(list.Find("a"), first_a);

    list.Remove("b");
    EXPECT_EQ(live, 2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.NameAt(1), "c");
    EXPECT_EQ(list.IndexOf("c"), 1);
    EXPECT_EQ(list.Find("b"), nullptr);
    EXPECT_EQ(list.At(2), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    list.Remove("b");
    EXPECT_EQ(live, 2);

    list.Clear();
    EXPECT_EQ(live, 0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Exists("a"));
    EXPECT_TRUE(list.Add("d", std::make_unique<Tracked>(&live)));
  }
  EXPECT_EQ(live, 0);  // destroyed with the list
}

TEST(ObjectPoolTest, DestroysAndReusesPlacesAndNeverMovesObjects) {
  int live = 0;
  ObjectPool<Tracked> pool;
  {
    // Enough for several chunks.
    std::vector<ObjectPool<Tracked>::Pointer> objects;
    std::vector<const Tracked*> places;
    for (int i = 0; i < 3000; ++i) {
      objects.push_back(pool.Create(&live));
      places.push_back(objects.back().get());
    }
    EXPECT_EQ(live, 3000);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(objects[i].get(), places[i]);
    // A destroyed object's place is the next one taken.
    const Tracked* freed = objects[1234].get();
    objects[1234].reset();
    EXPECT_EQ(live, 2999);
    objects[1234] = pool.Create(&live);
    EXPECT_EQ(objects[1234].get(), freed);
  }
  EXPECT_EQ(live, 0);
  pool.Release();
  auto again = pool.Create(&live);
  EXPECT_EQ(live, 1);
}

TEST(PropertyListTest, AddKeepsAnExistingValue) {
  PropertyList list;
  list.Add("k", "1");
  list.Add("k", "2");
  EXPECT_EQ(list.Get("k"), "1");
  list.Set("k", "3");
  EXPECT_EQ(list.Get("k"), "3");
  EXPECT_EQ(list.Count(), 1);
  list.Remove("k");
  EXPECT_FALSE(list.Exists("k"));
  EXPECT_EQ(list.Get("k"), "");
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace

// A list against the plainest model of it, through enough changes that
// values move, shrink in place, are dropped and the buffer is rewritten, on
// lists short enough to scan and long enough to be hashed.
TEST(PropertyListTest, FollowsAPlainModelThroughManyChanges) {
  for (const int key_count : {3, 40}) {
    SCOPED_TRACE(key_count);
    PropertyList list;
    std::vector<std::pair<std::string, std::string>> model;
    std::mt19937 random(7);
    for (int step = 0; step < 3000; ++step) {
      const std::string key = "k" + std::to_string(random() % key_count);
      // From empty to longer than any short-string buffer.
      const std::string value(random() % 40, static_cast<char>('a' + step % 26));
      auto found = std::find_if(model.begin(), model.end(),
                                [&](const auto& pair) { return pair.first == key; });
      switch (random() % 4) {
        case 0:
          list.Remove(key);
          if (found != model.end()) model.erase(found);
          break;
        case 1:
          list.Add(key, value);
          if (found == model.end()) model.emplace_back(key, value);
          break;
        default:
          list.Set(key, value);
          if (found == model.end()) {
            model.emplace_back(key, value);
          } else {
            found->second = value;
          }
      }
      ASSERT_EQ(list.Count(), static_cast<int>(model.size())) << "step " << step;
      Names keys, values;
      for (const auto& [k, v] : model) {
        keys.push_back(k);
        values.push_back(v);
      }
      ASSERT_EQ(list.keys(), keys) << "step " << step;
      ASSERT_EQ(list.values(), values) << "step " << step;
      const auto now = std::find_if(model.begin(), model.end(),
                                    [&](const auto& pair) { return pair.first == key; });
      ASSERT_EQ(list.Exists(key), now != model.end());
      ASSERT_EQ(list.Get(key), now == model.end() ? "" : now->second);
    }
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Set("k", "v");
    EXPECT_EQ(list.Get("k"), "v");
  }
}
