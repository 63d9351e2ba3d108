#include "store/property_accessor.h"

#include <string>

#include <gtest/gtest.h>

#include "store/object_store.h"

namespace {

class PropertyAccessorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store_.CreateObject("b1", "BUTTON"));
    ASSERT_TRUE(store_.SetProperty("b1", "Prop", "Width", "40"));
    ASSERT_TRUE(store_.SetProperty("b1", "Prop", "Text", "Go"));
    ASSERT_TRUE(store_.SetProperty("b1", "Prop", "Empty", ""));
    ASSERT_TRUE(store_.SetProperty("b1", "Prop", "Px", "120px"));
    ASSERT_TRUE(store_.SetProperty("b1", "Prop", "Word", "wide"));
    ASSERT_TRUE(store_.SetProperty("b1", "secHeap", "Button", "-7"));
    ASSERT_TRUE(store_.CreateObject("b2", "BUTTON"));
    ASSERT_TRUE(store_.SetProperty("b2", "Prop", "Width", "80"));
    accessor_.SetStore(&store_);
  }

  ObjectStore store_;
  PropertyAccessor accessor_;
};

TEST_F(PropertyAccessorTest, StartsWithoutCurrentObjectOrSection) {
  EXPECT_EQ(accessor_.current_object(), "");
  EXPECT_EQ(accessor_.current_section(), "");
  EXPECT_EQ(accessor_.GetString("Width", "d"), "d");
}

TEST_F(PropertyAccessorTest, GetString) {
  const struct {
    const char* name;
    std::string object, section, key;
    std::string value;
  } cases[] = {
      {"present", "b1", "Prop", "Text", "Go"},
      {"empty value is not the default", "b1", "Prop", "Empty", ""},
      {"missing key", "b1", "Prop", "Missing", "default"},
      {"missing section", "b1", "Other", "Text", "default"},
      {"missing object", "b9", "Prop", "Text", "default"},
      {"other section", "b1", "secHeap", "Button", "-7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(accessor_.GetString(c.object, c.section, c.key, "default"), c.value);
    accessor_.SetCurrentSection(c.section);
    EXPECT_EQ(accessor_.GetString(c.object, c.key, "default"), c.value);
    accessor_.SetCurrentObject(c.object);
    EXPECT_EQ(accessor_.GetString(c.key, "default"), c.value);
  }
}

TEST_F(PropertyAccessorTest, GetInt) {
  const struct {
    const char* name;
    std::string key;
    int default_value;
    int value;
  } cases[] = {
      {"number", "Width", 5, 40},
      {"missing key gives the default", "Missing", 5, 5},
      {"negative default", "Missing", -12, -12},
      {"no leading digits gives 0", "Word", 5, 0},
      {"empty value gives 0", "Empty", 5, 0},
      {"trailing text ignored", "Px", 5, 120},
  };
  accessor_.SetCurrentObject("b1");
  accessor_.SetCurrentSection("Prop");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(accessor_.GetInt("b1", "Prop", c.key, c.default_value), c.value);
    EXPECT_EQ(accessor_.GetInt("b1", c.key, c.default_value), c.value);
    EXPECT_EQ(accessor_.GetInt(c.key, c.default_value), c.value);
  }
}

TEST_F(PropertyAccessorTest, GetBool) {
  const struct {
    std::string stored;
    bool value;
  } cases[] = {
      {"", false}, {"0", false},   {"false", false}, {" FALSE ", false},
      {"1", true}, {"true", true}, {"no", true},     {"  ", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.stored + "'");
    ASSERT_TRUE(store_.SetProperty("b1", "Prop", "Flag", c.stored));
    for (const bool default_value : {false, true}) {
      EXPECT_EQ(accessor_.GetBool("b1", "Prop", "Flag", default_value), c.value);
    }
  }
  accessor_.SetCurrentObject("b1");
  accessor_.SetCurrentSection("Prop");
  EXPECT_TRUE(accessor_.GetBool("Missing", true));
  EXPECT_FALSE(accessor_.GetBool("Missing", false));
  EXPECT_TRUE(accessor_.GetBool("b1", "Missing", true));
}

TEST_F(PropertyAccessorTest, CurrentObjectAndSectionForms) {
  accessor_.SetCurrentObject("b2");
  accessor_.SetCurrentSection("Prop");
  EXPECT_EQ(accessor_.GetInt("Width", 0), 80);
  EXPECT_EQ(accessor_.GetInt("b1", "Width", 0), 40);
  EXPECT_EQ(accessor_.GetInt("b1", "secHeap", "Button", 0), -7);

  accessor_.SetString("Text", "Two");
  accessor_.SetString("b1", "Tip", "tip");
  accessor_.SetString("b1", "secHeap", "Edit", "9");
  accessor_.SetString("b9", "Prop", "Text", "lost");  // missing object: nothing stored
  EXPECT_EQ(store_.GetProperty("b2", "Prop", "Text"), "Two");
  EXPECT_EQ(store_.GetProperty("b1", "Prop", "Tip"), "tip");
  EXPECT_EQ(store_.GetProperty("b1", "secHeap", "Edit"), "9");
  EXPECT_FALSE(store_.ObjectExists("b9"));

  EXPECT_TRUE(accessor_.ObjectExists("b1"));
  EXPECT_FALSE(accessor_.ObjectExists("b9"));
  EXPECT_TRUE(accessor_.SectionExists("Prop"));
  EXPECT_FALSE(accessor_.SectionExists("secHeap"));  // b2 has none
  EXPECT_TRUE(accessor_.SectionExists("b1", "secHeap"));
  EXPECT_TRUE(accessor_.PropertyExists("Text"));
  EXPECT_FALSE(accessor_.PropertyExists("Tip"));
  EXPECT_TRUE(accessor_.PropertyExists("b1", "Tip"));
  EXPECT_TRUE(accessor_.PropertyExists("b1", "secHeap", "Edit"));
}

TEST(PropertyAccessorWithoutStoreTest, GivesDefaults) {
  PropertyAccessor accessor;
  accessor.SetString("b1", "Prop", "Text", "x");
  EXPECT_EQ(accessor.GetString("b1", "Prop", "Text", "d"), "d");
  EXPECT_EQ(accessor.GetInt("b1", "Prop", "Width", 3), 3);
  EXPECT_TRUE(accessor.GetBool("b1", "Prop", "Flag", true));
  EXPECT_FALSE(accessor.ObjectExists("b1"));
  EXPECT_FALSE(accessor.SectionExists("b1", "Prop"));
  EXPECT_FALSE(accessor.PropertyExists("b1", "Prop", "Text"));
}

}  // namespace
