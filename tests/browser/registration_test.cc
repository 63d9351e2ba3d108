// Registration of qel.dll through the system's own tool: regsvr32 runs as a
// child process in the test's Wine prefix, and the registry is read back.
#include <windows.h>
#include <oleauto.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "browser/qel_idl.h"
#include "store/strings.h"
#include "tests/support/program_run.h"
#include "tests/support/session_lock.h"

namespace {

constexpr char kClassId[] = "{EAA6B928-535A-42E6-9CD4-97367508DC34}";
constexpr char kLibraryId[] = "{34BD0BD3-316E-4DC8-911E-21D5D8FD128C}";
constexpr char kInterfaceId[] = "{A7DF11FD-7A39-4E60-A1FF-2A3BF5C3D034}";
constexpr char kHelperObjects[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

int Regsvr32(const std::vector<std::string>& args) {
  std::vector<std::string> all = {"/s"};
  all.insert(all.end(), args.begin(), args.end());
  return RunProgram("regsvr32.exe", all).exit_code;
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Everything below `path`: one entry per key ("KEY name") and one per value
// ("name|value name" = data; "@" for the default value).
void ReadTree(HKEY root, const std::string& path, const std::string& name,
              std::map<std::string, std::string>* tree) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  (*tree)[name] = "(key)";
  for (DWORD i = 0;; ++i) {
    char value_name[256] = {};
    DWORD name_size = sizeof(value_name);
    BYTE data[1024] = {};
    DWORD data_size = sizeof(data) - 1;
    DWORD type = 0;
    if (RegEnumValueA(key, i, value_name, &name_size, nullptr, &type, data, &data_size) !=
        ERROR_SUCCESS) {
      break;
    }
    std::string shown = type == REG_SZ ? std::string(reinterpret_cast<char*>(data))
                                       : "(type " + std::to_string(type) + ")";
    (*tree)[name + "|" + (name_size == 0 ? "@" : value_name)] = shown;
  }
  std::vector<std::string> subkeys;
  for (DWORD i = 0;; ++i) {
    char subkey[256] = {};
    DWORD size = sizeof(subkey);
    if (RegEnumKeyExA(key, i, subkey, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    subkeys.push_back(subkey);
  }
  RegCloseKey(key);
  for (const std::string& subkey : subkeys) {
    ReadTree(root, path + "\\" + subkey, name + "\\" + subkey, tree);
  }
}

// What the registration script owns.
std::map<std::string, std::string> ScriptKeys() {
  std::map<std::string, std::string> tree;
  ReadTree(HKEY_CLASSES_ROOT, "Qel.IEHlprObj", "HKCR\\Qel.IEHlprObj", &tree);
  ReadTree(HKEY_CLASSES_ROOT, "Qel.IEHlprObj.1", "HKCR\\Qel.IEHlprObj.1", &tree);
  ReadTree(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kClassId,
           std::string("HKCR\\CLSID\\") + kClassId, &tree);
  ReadTree(HKEY_LOCAL_MACHINE, std::string(kHelperObjects) + "\\" + kClassId,
           std::string("HKLM\\") + kHelperObjects + "\\" + kClassId, &tree);
  return tree;
}

std::map<std::string, std::string> ExpectedScriptKeys(const std::string& module_path) {
  const std::string clsid = std::string("HKCR\\CLSID\\") + kClassId;
  return {
      {"HKCR\\Qel.IEHlprObj", "(key)"},
      {"HKCR\\Qel.IEHlprObj|@", "IEHlprObj Class"},
      {"HKCR\\Qel.IEHlprObj\\CLSID", "(key)"},
      {"HKCR\\Qel.IEHlprObj\\CLSID|@", kClassId},
      {"HKCR\\Qel.IEHlprObj\\CurVer", "(key)"},
      {"HKCR\\Qel.IEHlprObj\\CurVer|@", "Qel.IEHlprObj.1"},
      {"HKCR\\Qel.IEHlprObj.1", "(key)"},
      {"HKCR\\Qel.IEHlprObj.1|@", "IEHlprObj Class"},
      {"HKCR\\Qel.IEHlprObj.1\\CLSID", "(key)"},
      {"HKCR\\Qel.IEHlprObj.1\\CLSID|@", kClassId},
      {clsid, "(key)"},
      {clsid + "|@", "IEHlprObj Class"},
      {clsid + "\\ProgID", "(key)"},
      {clsid + "\\ProgID|@", "Qel.IEHlprObj.1"},
      {clsid + "\\VersionIndependentProgID", "(key)"},
      {clsid + "\\VersionIndependentProgID|@", "Qel.IEHlprObj"},
      {clsid + "\\Programmable", "(key)"},
      {clsid + "\\InprocServer32", "(key)"},
      {clsid + "\\InprocServer32|@", module_path},
      {clsid + "\\InprocServer32|ThreadingModel", "Apartment"},
      {clsid + "\\TypeLib", "(key)"},
      {clsid + "\\TypeLib|@", kLibraryId},
      {std::string("HKLM\\") + kHelperObjects + "\\" + kClassId, "(key)"},
  };
}

// Tests that register the module take turns: the prefix's registry is
// shared by every test process of the session.
class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registry_lock_.held());
    module_ = FullPath(QEL_DLL_PATH);
    Regsvr32({"/u", module_});
  }

  void TearDown() override { Regsvr32({"/u", module_}); }

  RegistryLock registry_lock_;
  std::string module_;
};

TEST_F(RegistrationTest, RegisterWritesExactlyTheScriptsKeysAndTheTypeLibrary) {
  ASSERT_EQ(Regsvr32({module_}), 0);
  std::map<std::string, std::string> keys = ScriptKeys();
  // Compared without regard to the letter case of the module path.
  const std::string inproc = std::string("HKCR\\CLSID\\") + kClassId + "\\InprocServer32|@";
  ASSERT_TRUE(EqualsNoCase(keys[inproc], module_)) << keys[inproc];
  keys[inproc] = module_;
  EXPECT_EQ(keys, ExpectedScriptKeys(module_));

  // The type library, registered from the module.
  ITypeLib* library = nullptr;
  ASSERT_EQ(LoadRegTypeLib(LIBID_QELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
  library->Release();
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, std::string("Interface\\") + kInterfaceId));
}

TEST_F(RegistrationTest, UnregisterRemovesWhatRegisterAddedAndNothingAbove) {
  // Another browser helper object stays where it is.
  const std::string neighbour =
      std::string(kHelperObjects) + "\\{0B5C3E5A-7C1D-4E8A-9F00-51E1D2C3B4A5}";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, neighbour.c_str(), 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(Regsvr32({module_}), 0);
  ASSERT_EQ(Regsvr32({"/u", module_}), 0);
  EXPECT_TRUE(ScriptKeys().empty());
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("TypeLib\\") + kLibraryId));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("Interface\\") + kInterfaceId));

  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, neighbour));
  EXPECT_TRUE(
      KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer"));
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, neighbour.c_str());
}

TEST_F(RegistrationTest, RegisteringAgainAfterUnregisteringGivesTheSameKeys) {
  ASSERT_EQ(Regsvr32({module_}), 0);
  std::map<std::string, std::string> first = ScriptKeys();
  ASSERT_EQ(Regsvr32({module_}), 0);
  EXPECT_EQ(ScriptKeys(), first);
  ASSERT_EQ(Regsvr32({"/u", module_}), 0);
  ASSERT_EQ(Regsvr32({module_}), 0);
  EXPECT_EQ(ScriptKeys(), first);
}

TEST_F(RegistrationTest, ModulePathWithAnApostropheIsRegisteredAsItIs) {
  namespace fs = std::filesystem;
  fs::path directory =
      fs::temp_directory_path() / ("qel O'Brien " + std::to_string(GetCurrentProcessId()));
  std::error_code error;
  fs::create_directories(directory, error);
  fs::path copy = directory / "qel.dll";
  ASSERT_TRUE(fs::copy_file(module_, copy, fs::copy_options::overwrite_existing, error))
      << error.message();
  std::string path = FullPath(copy.string());

  ASSERT_EQ(Regsvr32({path}), 0);
  std::map<std::string, std::string> keys = ScriptKeys();
  EXPECT_TRUE(
      EqualsNoCase(keys[std::string("HKCR\\CLSID\\") + kClassId + "\\InprocServer32|@"], path));
  EXPECT_EQ(Regsvr32({"/u", path}), 0);
  EXPECT_TRUE(ScriptKeys().empty());
  fs::remove_all(directory, error);
}

TEST(VersionResource, MarksTheModuleSelfRegisteringAtVersion2002) {
  std::string path = FullPath(QEL_DLL_PATH);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(2, 0));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(2, 0));
  void* entry = nullptr;
  EXPECT_TRUE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\OLESelfRegister", &entry, &length));
}

}  // namespace
