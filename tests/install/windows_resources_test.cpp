// The resources that quorvane.exe and quorvane-reg.exe carry, read back
// through the same calls that Windows Explorer, the loader and the program
// itself use.
#include <windows.h>

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/program_version.h"

namespace quorvane::ui {
namespace {

TEST(WindowsResources, ProgramReadsItsVersionFromTheResource) {
  EXPECT_EQ(RunningProgramVersion(), (ProgramVersion{EXPECTED_MAJOR, EXPECTED_MINOR,
                                                     EXPECTED_REVISION}));
}

// An icon resource's directory (RT_GROUP_ICON, 14): the sides of the
// images it holds (0 is 256).
std::vector<int> IconSides(int resource) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  std::vector<int> sides;
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(14));
  if (found == nullptr) return sides;
  const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
  const auto* entries = reinterpret_cast<const GroupEntry*>(directory + 3);
  for (WORD i = 0; i < directory[2]; ++i) sides.push_back(entries[i].width ? entries[i].width : 256);
  return sides;
}

// Both icons at every size that a window may ask for at its DPI, and each
// loads at 32 by 32 as the windows load them.
TEST(WindowsResources, CarriesBothIconsAtEverySize) {
  for (const int resource : {1, 2}) {
    EXPECT_EQ(IconSides(resource), (std::vector<int>{16, 24, 32, 48, 256})) << "icon " << resource;
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, 32,
                             32, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
    BITMAP mask{};
    ASSERT_NE(GetObjectW(info.hbmMask, sizeof mask, &mask), 0);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(static_cast<HICON>(icon));
  }
}

TEST(WindowsResources, ManifestAsksForAdministratorAndPerMonitorDpi) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = LoadResource(nullptr, found);
  ASSERT_NE(loaded, nullptr);
  const std::string_view manifest(static_cast<const char*>(LockResource(loaded)),
                                  SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find(R"(level="requireAdministrator")"), std::string_view::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2<"), std::string_view::npos);
}

// Windows reads the manifest into an activation context when the program
// starts; a manifest it cannot parse stops the program from starting.
void ExpectActivationContext(const wchar_t* program) {
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = program;
  request.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE context = CreateActCtxW(&request);
  ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  ReleaseActCtx(context);
}

TEST(WindowsResources, ManifestMakesAnActivationContext) {
  wchar_t path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  ExpectActivationContext(path);
}

// quorvane-reg.exe's own, read from the built program in the working folder
// as Explorer and the loader read them: the project's version, and a
// manifest that asks for no elevation and makes an activation context.
TEST(WindowsResources, CommandLineProgramCarriesItsVersionAndRunsAsInvoked) {
  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"\\quorvane-reg.exe";
  HMODULE program = LoadLibraryExW(path.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr) << "error " << GetLastError();
  const auto resource = [&](int type) {
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(type));
    const auto* bytes = found ? static_cast<const unsigned char*>(
                                    LockResource(LoadResource(program, found)))
                              : nullptr;
    return std::span<const unsigned char>(bytes, bytes ? SizeofResource(program, found) : 0);
  };
  EXPECT_EQ(FileVersionOfVersionResource(resource(16)),
            (ProgramVersion{EXPECTED_MAJOR, EXPECTED_MINOR, EXPECTED_REVISION}));
  const std::span<const unsigned char> manifest = resource(24);
  EXPECT_NE(std::string_view(reinterpret_cast<const char*>(manifest.data()), manifest.size())
                .find(R"(level="asInvoker")"),
            std::string_view::npos);
  FreeLibrary(program);
  ExpectActivationContext(path.c_str());
}

}  // namespace
}  // namespace quorvane::ui
