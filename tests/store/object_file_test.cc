#include "store/object_file.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/object_store.h"
#include "store/strings.h"
#include "tests/store/temp_dir_test.h"

namespace {

using Lines = std::vector<std::string>;

// The whole store in order: "name:type{section[k=v,...]...}" per object.
std::string Dump(const ObjectStore& store) {
  std::string dump;
  for (int i = 0; i < store.GetObjectCount(); ++i) {
    const StoreObject& object = *store.FindObject(store.GetObjectNameAt(i));
    dump += object.name() + ":" + object.type() + "{";
    for (int s = 0; s < object.sections().Count(); ++s) {
      const PropertySection& section = *object.sections().At(s);
      const PropertyList& list = section.properties();
      dump += section.name() + "[";
      for (int k = 0; k < list.Count(); ++k) {
        if (k > 0) dump += ",";
        dump += list.keys()[static_cast<std::size_t>(k)] + "=" +
                list.values()[static_cast<std::size_t>(k)];
      }
      dump += "]";
    }
    dump += "}";
  }
  return dump;
}

TEST(JoinPairsTest, Table) {
  const struct {
    const char* name;
    Lines keys;
    Lines values;
    std::string joined;
  } cases[] = {
      {"two pairs", {"Text", "Width"}, {"Go", "40"}, "Text=Go;Width=40"},
      {"one pair", {"a"}, {"1"}, "a=1"},
      {"no pairs", {}, {}, ""},
      {"empty key and value", {"", "b"}, {"", ""}, "=;b="},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(JoinPairs(c.keys, c.values, ";", "="), c.joined);
  }
  EXPECT_EQ(JoinPairs({"a", "b"}, {"1", "2"}, ", ", ": "), "a: 1, b: 2");
}

using ObjectFileTest = TempDirTest;

TEST_F(ObjectFileTest, WriteLinesEndsEveryLineWithCrLf) {
  ASSERT_TRUE(WriteLines(PathOf("out.txt"), {"a", "", "b\n"}));
  EXPECT_EQ(ReadBytes("out.txt"), "a\r\n\r\nb\n\r\n");
  // Truncates what was there.
  ASSERT_TRUE(WriteLines(PathOf("out.txt"), {}));
  EXPECT_EQ(ReadBytes("out.txt"), "");
  EXPECT_FALSE(WriteLines(PathOf("missing/out.txt"), {"a"}));
}

#if defined(__linux__)
TEST_F(ObjectFileTest, WriteFailureIsReported) {
  // Opens, but every write fails for want of space.
  EXPECT_FALSE(WriteLines("/dev/full", {"a"}));
}
#endif

TEST_F(ObjectFileTest, SaveWritesTheBlocksByteForByte) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Text", "Go"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Width", "40"));
  ASSERT_TRUE(store.SaveObjectFile(PathOf("one.obj")));
  EXPECT_EQ(ReadBytes("one.obj"),
            "Object \"b1\"\r\n<type>BUTTON<type>\r\n<section>Prop<section>Text=Go;Width=40\r\n"
            "EndObject\r\n\r\n");

  // A second object, an emptied section (not written), a section of its own
  // and an empty type.
  ASSERT_TRUE(store.SetProperty("b1", "secHeap", "Button", "1"));
  ASSERT_TRUE(store.RemoveProperty("b1", "secHeap", "Button"));
  ASSERT_TRUE(store.CreateObject("namBar", ""));
  ASSERT_TRUE(store.SetProperty("namBar", "Prop", "Title", "Qel"));
  ASSERT_TRUE(store.SetProperty("namBar", "x", "", ""));
  ASSERT_TRUE(store.SaveObjectFile(PathOf("two.obj")));
  EXPECT_EQ(ReadBytes("two.obj"),
            "Object \"b1\"\r\n<type>BUTTON<type>\r\n<section>Prop<section>Text=Go;Width=40\r\n"
            "EndObject\r\n\r\n"
            "Object \"namBar\"\r\n<type><type>\r\n<section>Prop<section>Title=Qel\r\n"
            "<section>x<section>=\r\nEndObject\r\n\r\n");

  ObjectStore empty;
  ASSERT_TRUE(empty.SaveObjectFile(PathOf("two.obj")));
  EXPECT_EQ(ReadBytes("two.obj"), "");
  EXPECT_FALSE(empty.SaveObjectFile(PathOf("missing/x.obj")));
}

TEST(ObjectFileReadTest, Table) {
  const struct {
    const char* name;
    Lines lines;
    std::string dump;
  } cases[] = {
      {"one object",
       {"Object \"b1\"", "<type>BUTTON<type>", "<section>Prop<section>Text=Go;Width=40",
        "EndObject", ""},
       "b1:BUTTON{Prop[Text=Go,Width=40]}"},
      {"no lines", {}, ""},
      {"comments and empty lines",
       {"' a comment", "", "Object \"b1\"", "'<type>X<type>", "<type>T<type>"},
       "b1:T{}"},
      {"empty type", {"Object \"b1\"", "<type><type>"}, "b1:{}"},
      {"bare type marker", {"Object \"b1\"", "<type>"}, "b1:{}"},
      {"type line rest ignored", {"Object \"b1\" junk", "<type>T<type>junk"}, "b1:T{}"},
      {"name trimmed at creation, sections then dropped",
       {"Object \" b1 \"", "<type>T<type>", "<section>P<section>a=1"},
       "b1:T{}"},
      {"object line without quotes", {"Object b1", "<type>T<type>", "<section>P<section>a=1"}, ""},
      {"object line with one quote", {"Object \"b1", "<type>T<type>"}, ""},
      {"leading space",
       {" Object \"b1\"", "Object \"b2\"", " <type>T<type>", "<type>U<type>"},
       "b2:U{}"},
      {"small letters",
       {"object \"b1\"", "Object \"b2\"", "<Type>T<Type>", "<type>U<type>"},
       "b2:U{}"},
      {"no space after Object", {"Object\"b1\"", "<type>T<type>"}, ""},
      {"section before the type line is dropped",
       {"Object \"b1\"", "<section>P<section>a=1", "<type>T<type>", "<section>P<section>b=2"},
       "b1:T{P[b=2]}"},
      {"second type line ignored", {"Object \"b1\"", "<type>T<type>", "<type>U<type>"}, "b1:T{}"},
      {"section after EndObject goes to the closed object",
       {"Object \"b1\"", "<type>T<type>", "EndObject", "", "<section>P<section>a=1"},
       "b1:T{P[a=1]}"},
      {"repeated block merges",
       {"Object \"b1\"", "<type>T<type>", "<section>P<section>a=1;b=2", "Object \"b2\"",
        "<type>U<type>", "Object \"b1\"", "<type>V<type>", "<section>P<section>b=3;c=4",
        "<section>Q<section>d=5"},
       "b1:T{P[a=1,b=3,c=4]Q[d=5]}b2:U{}"},
      {"entry without = gives empty key and value",
       {"Object \"b1\"", "<type>T<type>", "<section>P<section>a=1;flag;b=2"},
       "b1:T{P[a=1,=,b=2]}"},
      {"trailing ;",
       {"Object \"b1\"", "<type>T<type>", "<section>P<section>a=1;"},
       "b1:T{P[a=1,=]}"},
      {"keys and values trimmed, value keeps =",
       {"Object \"b1\"", "<type>T<type>", "<section>P<section> a = x=y ; b= 2 "},
       "b1:T{P[a=x=y,b=2]}"},
      {"section without closing marker",
       {"Object \"b1\"", "<type>T<type>", "<section>Prop a=1"},
       "b1:T{[=]}"},
      {"section without properties",
       {"Object \"b1\"", "<type>T<type>", "<section>P<section>"},
       "b1:T{P[=]}"},
      {"other lines ignored",
       {"Object \"b1\"", "<type>T<type>", "EndObject", "junk", "Objects"},
       "b1:T{}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ObjectStore store;
    ASSERT_TRUE(store.CreateObject("old", "X"));  // reading replaces everything
    store.LoadObjectLines(c.lines);
    EXPECT_EQ(Dump(store), c.dump);
  }
}

TEST_F(ObjectFileTest, RoundTrip) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("namBar", "typBar"));
  ASSERT_TRUE(store.SetProperty("namBar", "Prop", "Title", "My Bar"));
  ASSERT_TRUE(store.SetProperty("namBar", "Prop", "DataURL", "http://host/def.txt?a=b"));
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Width", "40"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Text", "Go"));
  ASSERT_TRUE(store.SetProperty("b1", "secHeap", "Button", "-123456"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Empty", ""));
  ASSERT_TRUE(store.CreateObject("b0", ""));
  ASSERT_TRUE(store.SetProperty("b0", "Gone", "k", "v"));
  ASSERT_TRUE(store.RemoveProperty("b0", "Gone", "k"));  // empty sections do not come back
  ASSERT_TRUE(store.SaveObjectFile(PathOf("store.obj")));

  Lines lines;
  ASSERT_TRUE(ReadLines(PathOf("store.obj"), true, &lines));
  ObjectStore copy;
  copy.LoadObjectLines(lines);
  EXPECT_EQ(Dump(copy),
            "namBar:typBar{Prop[Title=My Bar,DataURL=http://host/def.txt?a=b]}"
            "b1:BUTTON{Prop[Width=40,Text=Go,Empty=]secHeap[Button=-123456]}b0:{}");

  // Read without line-end translation, the last value of each section line
  // keeps its carriage return.
  Lines raw;
  ASSERT_TRUE(ReadLines(PathOf("store.obj"), false, &raw));
  copy.LoadObjectLines(raw);
  EXPECT_EQ(copy.GetProperty("b1", "Prop", "Empty"), "\r");
  EXPECT_EQ(copy.GetProperty("b1", "Prop", "Width"), "40");
}

TEST_F(ObjectFileTest, LimitsOfTheRawFormat) {
  ObjectStore store;
  ASSERT_TRUE(store.CreateObject("b1", "BUTTON"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", " Spaced ", " v "));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "List", "a;b=c"));
  ASSERT_TRUE(store.SetProperty("b1", "Prop", "Eq", "x=y"));
  ASSERT_TRUE(store.SaveObjectFile(PathOf("store.obj")));
  Lines lines;
  ASSERT_TRUE(ReadLines(PathOf("store.obj"), true, &lines));
  ObjectStore copy;
  copy.LoadObjectLines(lines);
  EXPECT_EQ(Dump(copy), "b1:BUTTON{Prop[Spaced=v,List=a,b=c,Eq=x=y]}");
}

}  // namespace
