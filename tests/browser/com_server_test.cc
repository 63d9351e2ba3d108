// qel.dll itself, loaded into the test process the way COM loads it: its
// exports, class factory, aggregation, lock count, IDispatch and type
// library, and the hosts it refuses.
#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

#include <commctrl.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "browser/qel_idl.h"
#include "platform/text_conversion.h"
#include "tests/browser/fake_web_browser.h"
#include "tests/browser/strip_bitmap.h"
#include "tests/browser/test_frame.h"
#include "tests/support/counted_unknown.h"
#include "tests/support/program_run.h"
#include "tests/support/test_http_server.h"
#include "tools/qelhost/process_resources.h"

namespace {

using CanUnloadNow = HRESULT(WINAPI*)();
using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

// What one load of the module in a load-and-unload cycle goes through.
struct LoadCycle {
  const char* name;
  bool takes_class_object;
  bool creates_object;
};

// Loads the module at `path`, goes through `cycle` and unloads it again.
::testing::AssertionResult LoadAndUnload(const std::string& path, const LoadCycle& cycle) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) return ::testing::AssertionFailure() << "not loaded: " << GetLastError();
  if (cycle.takes_class_object) {
    auto get_class_object = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (get_class_object == nullptr ||
        get_class_object(CLSID_IEHlprObj, IID_IClassFactory, reinterpret_cast<void**>(&factory)) !=
            S_OK) {
      FreeLibrary(module);
      return ::testing::AssertionFailure() << "no class object";
    }
    IUnknown* object = nullptr;
    if (cycle.creates_object &&
        factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)) != S_OK) {
      factory->Release();
      FreeLibrary(module);
      return ::testing::AssertionFailure() << "no object";
    }
    if (object != nullptr) object->Release();
    factory->Release();
  }
  auto can_unload = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  const bool free_to_go = can_unload != nullptr && can_unload() == S_OK;
  FreeLibrary(module);
  if (!free_to_go) return ::testing::AssertionFailure() << "DllCanUnloadNow kept it";
  if (GetModuleHandleA(path.c_str()) != nullptr) {
    return ::testing::AssertionFailure() << "still loaded after FreeLibrary";
  }
  return ::testing::AssertionSuccess();
}

class ComServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    module_ = LoadLibraryA(FullPath(QEL_DLL_PATH).c_str());
    ASSERT_NE(module_, nullptr);
    can_unload_ = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    get_class_object_ = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ASSERT_NE(can_unload_, nullptr);
    ASSERT_NE(get_class_object_, nullptr);
    ASSERT_EQ(
        get_class_object_(CLSID_IEHlprObj, IID_IClassFactory, reinterpret_cast<void**>(&factory_)),
        S_OK);
  }

  void TearDown() override {
    if (factory_ != nullptr) factory_->Release();
    if (module_ != nullptr) FreeLibrary(module_);
    CoUninitialize();
  }

  IIEHlprObj* Create() {
    IIEHlprObj* object = nullptr;
    EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IIEHlprObj, reinterpret_cast<void**>(&object)),
              S_OK);
    return object;
  }

  HMODULE module_ = nullptr;
  CanUnloadNow can_unload_ = nullptr;
  GetClassObject get_class_object_ = nullptr;
  IClassFactory* factory_ = nullptr;
};

TEST_F(ComServerTest, ExportsCarryTheirPlainNames) {
  for (const char* name : {"DllMain", "DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                           "DllUnregisterServer"}) {
    EXPECT_NE(GetProcAddress(module_, name), nullptr) << name;
  }
}

TEST_F(ComServerTest, ClassObjectOnlyForTheOneClass) {
  const CLSID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  struct Case {
    const char* name;
    const CLSID* clsid;
    const IID* iid;
    HRESULT result;
  };
  const std::vector<Case> cases = {
      {"class factory", &CLSID_IEHlprObj, &IID_IClassFactory, S_OK},
      {"its IUnknown", &CLSID_IEHlprObj, &IID_IUnknown, S_OK},
      {"an interface factories lack", &CLSID_IEHlprObj, &IID_IDispatch, E_NOINTERFACE},
      {"another class", &other, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IUnknown* object = reinterpret_cast<IUnknown*>(&object);
    EXPECT_EQ(get_class_object_(*c.clsid, *c.iid, reinterpret_cast<void**>(&object)), c.result);
    if (SUCCEEDED(c.result)) {
      ASSERT_NE(object, nullptr);
      object->Release();
    } else {
      EXPECT_EQ(object, nullptr);
    }
  }
  EXPECT_EQ(get_class_object_(CLSID_IEHlprObj, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ComServerTest, AggregationOnlyThroughTheInnerUnknown) {
  CountedUnknown outer;  // aggregates the class, exposes nothing else
  struct Case {
    const char* name;
    IUnknown* outer;
    const IID* iid;
    HRESULT result;
  };
  const std::vector<Case> cases = {
      {"IUnknown", nullptr, &IID_IUnknown, S_OK},
      {"IIEHlprObj", nullptr, &IID_IIEHlprObj, S_OK},
      {"IDispatch", nullptr, &IID_IDispatch, S_OK},
      {"IObjectWithSite", nullptr, &IID_IObjectWithSite, S_OK},
      {"an interface the class lacks", nullptr, &IID_IClassFactory, E_NOINTERFACE},
      {"aggregated, IUnknown", &outer, &IID_IUnknown, S_OK},
      {"aggregated, IIEHlprObj", &outer, &IID_IIEHlprObj, CLASS_E_NOAGGREGATION},
      {"aggregated, IObjectWithSite", &outer, &IID_IObjectWithSite, CLASS_E_NOAGGREGATION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IUnknown* object = reinterpret_cast<IUnknown*>(&object);
    EXPECT_EQ(factory_->CreateInstance(c.outer, *c.iid, reinterpret_cast<void**>(&object)),
              c.result);
    if (SUCCEEDED(c.result)) {
      ASSERT_NE(object, nullptr);
      object->Release();
    } else {
      EXPECT_EQ(object, nullptr);
    }
    // A failed creation leaves nothing behind.
    EXPECT_EQ(can_unload_(), S_OK);
  }
  EXPECT_EQ(outer.references, 1u);
}

TEST_F(ComServerTest, AggregatedObjectDelegatesToItsOuter) {
  CountedUnknown outer;  // aggregates the class, exposes nothing else
  IUnknown* inner = nullptr;
  ASSERT_EQ(factory_->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
  EXPECT_EQ(outer.references, 1u);

  IIEHlprObj* helper = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IIEHlprObj, reinterpret_cast<void**>(&helper)), S_OK);
  // Interfaces handed out count on the outer object.
  EXPECT_EQ(outer.references, 2u);
  IUnknown* identity = nullptr;
  ASSERT_EQ(helper->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, &outer);
  identity->Release();
  IObjectWithSite* site = nullptr;
  EXPECT_EQ(helper->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&site)),
            E_NOINTERFACE);
  LONG count = 0;
  EXPECT_EQ(helper->GetRefCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  helper->Release();
  EXPECT_EQ(outer.references, 1u);

  // The inner IUnknown is the object's own identity.
  IUnknown* again = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again)), S_OK);
  EXPECT_EQ(again, inner);
  again->Release();

  EXPECT_EQ(can_unload_(), S_FALSE);
  inner->Release();
  EXPECT_EQ(can_unload_(), S_OK);
}

TEST_F(ComServerTest, LiveObjectsAndServerLocksKeepTheModuleLoaded) {
  EXPECT_EQ(can_unload_(), S_OK);
  IIEHlprObj* first = Create();
  IIEHlprObj* second = Create();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(can_unload_(), S_FALSE);
  first->Release();
  EXPECT_EQ(can_unload_(), S_FALSE);
  second->Release();
  EXPECT_EQ(can_unload_(), S_OK);

  EXPECT_EQ(factory_->LockServer(TRUE), S_OK);
  EXPECT_EQ(can_unload_(), S_FALSE);
  EXPECT_EQ(factory_->LockServer(FALSE), S_OK);
  EXPECT_EQ(can_unload_(), S_OK);
}

TEST_F(ComServerTest, GetRefCountCountsTheObjectsOfTheProcess) {
  IIEHlprObj* first = Create();
  IIEHlprObj* second = Create();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  LONG count = 0;
  EXPECT_EQ(first->GetRefCount(&count), S_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(second->GetRefCount(&count), S_OK);
  EXPECT_EQ(count, 2);
  first->Release();
  EXPECT_EQ(second->GetRefCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  second->Release();
}

TEST_F(ComServerTest, DispatchNamesComeFromTheTypeLibrary) {
  IIEHlprObj* object = Create();
  ASSERT_NE(object, nullptr);
  UINT count = 0;
  EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);

  struct Case {
    const wchar_t* name;
    HRESULT result;
    DISPID id;
  };
  const std::vector<Case> cases = {
      {L"GetRefCount", S_OK, 1},
      {L"getrefcount", S_OK, 1},
      {L"Quit", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    std::wstring text = c.name;
    LPOLESTR names[] = {text.data()};
    DISPID id = 12345;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), c.result);
    EXPECT_EQ(id, c.id);
  }
  std::wstring text = L"GetRefCount";
  LPOLESTR names[] = {text.data()};
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNINTERFACE);

  ITypeInfo* info = nullptr;
  ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IIEHlprObj));
  info->ReleaseTypeAttr(attributes);
  info->Release();
  EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, &info), DISP_E_BADINDEX);
  object->Release();
}

TEST_F(ComServerTest, LateBoundCallsSucceedWithoutEffectExceptBadParameters) {
  IIEHlprObj* object = Create();
  ASSERT_NE(object, nullptr);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(object->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result,
                           nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(object->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr, &result,
                           nullptr, nullptr),
            E_INVALIDARG);
  object->Release();
}

TEST_F(ComServerTest, SiteIsNeverKeptNorAccepted) {
  IObjectWithSite* object = nullptr;
  ASSERT_EQ(
      factory_->CreateInstance(nullptr, IID_IObjectWithSite, reinterpret_cast<void**>(&object)),
      S_OK);
  EXPECT_EQ(object->SetSite(nullptr), E_FAIL);
  CountedUnknown not_a_browser;
  EXPECT_EQ(object->SetSite(&not_a_browser), E_FAIL);
  EXPECT_EQ(not_a_browser.references, 1u);
  void* site = &site;
  EXPECT_EQ(object->GetSite(IID_IUnknown, &site), E_FAIL);
  EXPECT_EQ(site, nullptr);
  EXPECT_EQ(object->GetSite(IID_IUnknown, nullptr), E_POINTER);
  object->Release();
}

// A copy of the module with its own qel.ini, the way a browser meets it:
// each object set up in its own frame, then released, then the module
// unloaded.
TEST(ModuleInABrowser, EachWindowGetsABandAndTheModuleLetsGoOfItsWindowClass) {
  namespace fs = std::filesystem;
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  server.SetResponse("/strip.bmp", 200, StripBitmapBytes(40, 20));
  server.SetResponse("/def.txt", 200,
                     "Qel.ButtonImageList = \"" + server.Url("/strip.bmp") +
                         "\"\nQel.AddObject \"go\", \"BUTTON\", \"Text=Go\"\n");
  fs::path directory =
      fs::temp_directory_path() / ("qel-module-" + std::to_string(GetCurrentProcessId()));
  std::error_code error;
  fs::create_directories(directory, error);
  fs::path module_path = directory / "qel.dll";
  ASSERT_TRUE(fs::copy_file(FullPath(QEL_DLL_PATH), module_path, error)) << error.message();
  {
    std::ofstream ini(directory / "qel.ini", std::ios::binary);
    ini << "Qel.DataURL = \"" << server.Url("/def.txt") << "\"\n";
  }

  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HMODULE module = LoadLibraryA(module_path.string().c_str());
  ASSERT_NE(module, nullptr);
  auto get_class_object = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  auto can_unload = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  IClassFactory* factory = nullptr;
  ASSERT_EQ(
      get_class_object(CLSID_IEHlprObj, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
      S_OK);

  TestFrame frames[2];
  std::deque<FakeWebBrowser> browsers;  // browsers are not copied
  IObjectWithSite* objects[2] = {};
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(frames[i].Create());
    browsers.emplace_back(frames[i].frame());
  }
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IObjectWithSite,
                                      reinterpret_cast<void**>(&objects[i])),
              S_OK);
    EXPECT_EQ(objects[i]->SetSite(browsers[i].site()), E_FAIL);
    EXPECT_EQ(SendMessageA(frames[i].rebar(), RB_GETBANDCOUNT, 0, 0), 2);
  }
  factory->Release();
  HWND band = FindWindowExA(frames[0].rebar(), nullptr, "VessikToolBandClass", nullptr);
  ASSERT_NE(band, nullptr);
  WNDCLASSA band_class = {};
  EXPECT_TRUE(GetClassInfoA(module, "VessikToolBandClass", &band_class));

  IIEHlprObj* helper = nullptr;
  ASSERT_EQ(objects[1]->QueryInterface(IID_IIEHlprObj, reinterpret_cast<void**>(&helper)), S_OK);
  LONG count = 0;
  EXPECT_EQ(helper->GetRefCount(&count), S_OK);
  EXPECT_EQ(count, 2);
  objects[0]->SetSite(nullptr);
  objects[0]->Release();
  EXPECT_FALSE(IsWindow(band));
  EXPECT_EQ(helper->GetRefCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(can_unload(), S_FALSE);
  helper->Release();
  objects[1]->SetSite(nullptr);
  objects[1]->Release();
  EXPECT_EQ(can_unload(), S_OK);
  for (FakeWebBrowser& browser : browsers) EXPECT_EQ(browser.references, 1u);

  FreeLibrary(module);
  EXPECT_EQ(GetModuleHandleA(module_path.string().c_str()), nullptr);
  // Every class the module registered went with it: the band host's, the
  // strip's, the tooltip's and the buttons' (the about button and "go").
  for (const char* name : {"VessikToolBandClass", "OruBar", "OruToolTip", "__Nam_Comm", "go"}) {
    WNDCLASSA stale = {};
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), name, &stale)) << name;
  }
  CoUninitialize();
  fs::remove_all(directory, error);
}

// The browser loads the module when the toolbar's first window opens and
// unloads it when the last one closes, again and again for as long as the
// process lives: each load gives back at unload the kernel handles it took.
TEST(ModuleUnload, EachLoadGivesBackTheHandlesItTook) {
  const LoadCycle cycles[] = {
      {"loaded and unloaded", false, false},
      {"its class object taken and released", true, false},
      {"an object created and released", true, true},
  };
  constexpr int kWarmUp = 2;
  constexpr int kLoads = 16;
  const std::string path = FullPath(QEL_DLL_PATH);
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  for (const LoadCycle& cycle : cycles) {
    SCOPED_TRACE(cycle.name);
    for (int i = 0; i < kWarmUp; ++i) ASSERT_TRUE(LoadAndUnload(path, cycle));
    const long long before = ProcessResources::Now().kernel_handles;
    ASSERT_GE(before, 0) << "the system's handle list";
    for (int i = 0; i < kLoads; ++i) ASSERT_TRUE(LoadAndUnload(path, cycle)) << "load " << i;
    const long long after = ProcessResources::Now().kernel_handles;
    // Well under one a load: the system may open a handle of its own meanwhile.
    EXPECT_LE(after - before, kLoads / 4)
        << before << " handles before " << kLoads << " loads, " << after << " after";
  }
  CoUninitialize();
}

TEST(TypeLibrary, DescribesTheClassAndItsDualInterface) {
  ITypeLib* library = nullptr;
  ASSERT_EQ(LoadTypeLibEx(ToWide(FullPath(QEL_DLL_PATH)).c_str(), REGKIND_NONE, &library), S_OK);
  TLIBATTR* library_attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&library_attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(library_attributes->guid, LIBID_QELLib));
  EXPECT_EQ(library_attributes->wMajorVerNum, 1);
  EXPECT_EQ(library_attributes->wMinorVerNum, 0);
  library->ReleaseTLibAttr(library_attributes);

  auto documentation = [](auto* holder, MEMBERID id, std::wstring* name, std::wstring* help) {
    BSTR name_text = nullptr;
    BSTR help_text = nullptr;
    HRESULT result = holder->GetDocumentation(id, &name_text, &help_text, nullptr, nullptr);
    *name = name_text != nullptr ? name_text : L"";
    *help = help_text != nullptr ? help_text : L"";
    SysFreeString(name_text);
    SysFreeString(help_text);
    return result;
  };
  std::wstring name;
  std::wstring help;
  ASSERT_EQ(documentation(library, -1, &name, &help), S_OK);
  EXPECT_EQ(name, L"QELLib");
  EXPECT_EQ(help, L"Qel 1.0 Type Library");

  // The coclass and its default interface.
  ITypeInfo* coclass = nullptr;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_IEHlprObj, &coclass), S_OK);
  ASSERT_EQ(documentation(coclass, MEMBERID_NIL, &name, &help), S_OK);
  EXPECT_EQ(name, L"IEHlprObj");
  EXPECT_EQ(help, L"IEHlprObj Class");
  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_NE(flags & IMPLTYPEFLAG_FDEFAULT, 0);
  HREFTYPE reference = 0;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  ITypeInfo* interface_info = nullptr;
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, &interface_info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(interface_info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IIEHlprObj));
  EXPECT_NE(attributes->wTypeFlags & TYPEFLAG_FDUAL, 0);
  interface_info->ReleaseTypeAttr(attributes);
  ASSERT_EQ(documentation(interface_info, MEMBERID_NIL, &name, &help), S_OK);
  EXPECT_EQ(name, L"IIEHlprObj");
  EXPECT_EQ(help, L"IIEHlprObj Interface");

  // The vtable half: GetRefCount right after IUnknown's and IDispatch's
  // seven methods, with one [out, retval] long*.
  HREFTYPE vtable_reference = 0;
  ASSERT_EQ(interface_info->GetRefTypeOfImplType(-1, &vtable_reference), S_OK);
  ITypeInfo* vtable = nullptr;
  ASSERT_EQ(interface_info->GetRefTypeInfo(vtable_reference, &vtable), S_OK);
  ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_EQ(attributes->cFuncs, 1);
  vtable->ReleaseTypeAttr(attributes);
  FUNCDESC* function = nullptr;
  ASSERT_EQ(vtable->GetFuncDesc(0, &function), S_OK);
  EXPECT_EQ(function->memid, 1);
  EXPECT_EQ(function->oVft, static_cast<SHORT>(7 * sizeof(void*)));
  EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
  ASSERT_EQ(function->cParams, 1);
  EXPECT_EQ(function->lprgelemdescParam[0].tdesc.vt, VT_PTR);
  EXPECT_EQ(function->lprgelemdescParam[0].tdesc.lptdesc->vt, VT_I4);
  EXPECT_EQ(function->lprgelemdescParam[0].paramdesc.wParamFlags,
            PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
  BSTR names[2] = {};
  UINT name_count = 0;
  ASSERT_EQ(vtable->GetNames(1, names, 2, &name_count), S_OK);
  ASSERT_EQ(name_count, 2u);
  EXPECT_STREQ(names[0], L"GetRefCount");
  EXPECT_STREQ(names[1], L"pVal");
  SysFreeString(names[0]);
  SysFreeString(names[1]);
  ASSERT_EQ(documentation(vtable, 1, &name, &help), S_OK);
  EXPECT_EQ(help, L"method GetRefCount");
  vtable->ReleaseFuncDesc(function);

  // Its base is the system's IDispatch, not a copy of it.
  ASSERT_EQ(vtable->GetRefTypeOfImplType(0, &reference), S_OK);
  ITypeInfo* base = nullptr;
  ASSERT_EQ(vtable->GetRefTypeInfo(reference, &base), S_OK);
  ASSERT_EQ(base->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IDispatch));
  base->ReleaseTypeAttr(attributes);
  ITypeLib* base_library = nullptr;
  UINT index = 0;
  ASSERT_EQ(base->GetContainingTypeLib(&base_library, &index), S_OK);
  EXPECT_NE(base_library, library);
  base_library->Release();
  base->Release();

  vtable->Release();
  interface_info->Release();
  coclass->Release();
  library->Release();
}

TEST(RefusedHost, TheModuleWillNotLoadIntoTheShell) {
  namespace fs = std::filesystem;
  fs::path root =
      fs::temp_directory_path() / ("qel-hosts-" + std::to_string(GetCurrentProcessId()));
  struct Case {
    const char* host;  // relative to a fresh directory
    int exit_code;     // 0 loaded, 1 refused
  };
  const std::vector<Case> cases = {
      {"Explorer.EXE", 1}, {"explorer.exe", 1}, {"explorer.exe\\iexplore.exe", 1},
      {"iexplore.exe", 0}, {"qelhost.exe", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    fs::path host = root / std::to_string(&c - cases.data()) / c.host;
    std::error_code error;
    fs::create_directories(host.parent_path(), error);
    ASSERT_TRUE(fs::copy_file(FullPath(LOAD_MODULE_PATH), host, error)) << error.message();
    ProgramRun run = RunProgram(host.string(), {FullPath(QEL_DLL_PATH)});
    EXPECT_EQ(run.exit_code, c.exit_code);
  }
  std::error_code error;
  fs::remove_all(root, error);
}

}  // namespace
