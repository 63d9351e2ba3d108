#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

// A fixture with a fresh directory of its own under the system's temporary
// directory, removed afterwards. The random part keeps builds that run the
// same test at the same time apart.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::random_device random;
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("qel_store_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
            std::to_string(random()));
    std::filesystem::create_directories(dir_);
  }

  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream file(dir_ / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << name;
  }

  std::string ReadBytes(const std::string& name) const {
    std::ifstream file(dir_ / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir_;
};
