#include "tests/support/drive_letter_dir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

DriveLetterDir::DriveLetterDir() {
  std::random_device random;
  std::string unique = "qel-" + std::to_string(random()) + "-" + std::to_string(random());
#ifdef _WIN32
  std::filesystem::path dir = std::filesystem::temp_directory_path() / unique;
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  path_ = dir.string();
  while (!path_.empty() && (path_.back() == '\\' || path_.back() == '/')) path_.pop_back();
#else
  path_ = "Q:\\" + unique;
#endif
}

DriveLetterDir::~DriveLetterDir() {
  std::error_code error;
#ifdef _WIN32
  std::filesystem::remove_all(path_, error);
#else
  // Every file whose name begins with the directory's path is one of ours,
  // whoever made it.
  std::vector<std::filesystem::path> ours;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    if (entry.path().filename().string().rfind(path_, 0) == 0) ours.push_back(entry.path());
  }
  for (const auto& file : ours) std::filesystem::remove(file, error);
#endif
}

std::string DriveLetterDir::PathOf(const std::string& name) const { return path_ + "\\" + name; }

bool DriveLetterDir::Write(const std::string& name, const std::string& bytes) {
  std::string file_path = PathOf(name);
  std::ofstream file(file_path, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return false;
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

std::string DriveLetterDir::Read(const std::string& name) const {
  std::ifstream file(PathOf(name), std::ios::in | std::ios::binary);
  if (!file.is_open()) return "";
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}
