#include "store/object_store.h"

#include <memory>
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
  const NamedList<PropertySection>& sections = store.FindObject("b1")->sections();
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
