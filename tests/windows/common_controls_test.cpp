// The manifest of t482.exe, embedded in this test program as resource 1 as
// it is in t482.exe, must give the process the common controls of version
// 6: every standard window class the dialog uses is then served by the
// comctl32 of that version instead of by user32.
#define NOMINMAX
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>

namespace {

bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

TEST(CommonControls, DialogClassesComeFromVersion6) {
  for (const wchar_t* name : {L"Button", L"Edit", L"Static", L"ComboBox"}) {
    SCOPED_TRACE(testing::Message() << "class " << name);
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    ASSERT_TRUE(GetClassInfoExW(nullptr, name, &cls));
    HMODULE module = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
            GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(cls.lpfnWndProc)),
        &module));
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(module, path, MAX_PATH);
    const std::wstring file = Lower(path);
    ASSERT_NE(file.find(L"\\comctl32.dll"), std::wstring::npos)
        << "served by " << testing::PrintToString(file);
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    ASSERT_NE(getVersion, nullptr);
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_EQ(getVersion(&info), S_OK);
    if (RunsUnderWine()) {
      // Wine's comctl32 reports 5.81 from every copy; the one it loaded is
      // the copy of the version-6 side-by-side assembly.
      EXPECT_NE(
          file.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."),
          std::wstring::npos);
    } else {
      EXPECT_GE(info.dwMajorVersion, 6u) << info.dwMinorVersion;
    }
  }
}

}  // namespace
