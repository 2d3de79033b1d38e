#include "system/shell_links.h"

#include <shlobj.h>
#include <windows.h>

#include <optional>

namespace {

// The shell link object's texts, without their terminator.
constexpr std::size_t kLongestText = 999;
// The shortcut's file name for the persist-file interface: 998 code units
// and the terminator.
constexpr int kWideFileNameUnits = 999;

std::optional<std::wstring> WideFileName(const std::string& path) {
  wchar_t wide[kWideFileNameUnits];
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, kWideFileNameUnits) == 0) return std::nullopt;
  return std::wstring(wide);
}

}  // namespace

void ShellLinkWriter::SaveShellLink(const std::string& target, const std::string& working_directory,
                                    const std::string& link_file) {
  if (target.size() > kLongestText || working_directory.size() > kLongestText) return;
  const std::optional<std::wstring> file_name = WideFileName(link_file);
  if (!file_name) return;

  // Every shortcut starts from a freshly initialised component library; it
  // stays initialised afterwards.
  CoUninitialize();
  CoInitialize(nullptr);

  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))) ||
      !link) {
    return;
  }
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(working_directory.c_str());
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) && file) {
    file->Save(file_name->c_str(), TRUE);
    file->Release();
  }
  link->Release();
}
