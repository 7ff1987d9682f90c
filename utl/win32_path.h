// File names as Windows takes them: UTF-16, from the UTF-8 (or, failing that, the system code
// page) bytes that parameter files and command lines give. A helper of file_ops_win32.cc only.
#pragma once
#ifdef _WIN32

#include <windows.h>

#include <cerrno>
#include <string>

namespace utl {

// `path` in UTF-16: read as UTF-8, or in the system's code page when it is not valid UTF-8.
inline std::wstring widened(const char* path) {
  for (const UINT code_page : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
    const DWORD flags = code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int length = MultiByteToWideChar(code_page, flags, path, -1, nullptr, 0);
    if (length <= 0) continue;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, flags, path, -1, wide.data(), length);
    wide.pop_back();  // the terminating zero, which std::wstring keeps on its own
    return wide;
  }
  return {};
}

// The name to give the wide file functions. A path of MAX_PATH characters or more is made
// absolute and given the \\?\ form, which lifts that limit, so long names work as on POSIX.
inline std::wstring wide_path(const char* path) {
  std::wstring wide = widened(path);
  if (wide.size() < MAX_PATH - 12 || wide.starts_with(L"\\\\?\\")) return wide;
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return wide;
  std::wstring full(length, L'\0');
  full.resize(GetFullPathNameW(wide.c_str(), length, full.data(), nullptr));
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share
  return L"\\\\?\\" + full;
}

// Whether a folder or file name within `path` is longer than the 255 characters a name may
// have on Windows file systems.
inline bool has_overlong_name(const std::wstring& path) {
  std::size_t run = 0;
  for (const wchar_t c : path) {
    run = c == L'\\' || c == L'/' ? 0 : run + 1;
    if (run > 255) return true;
  }
  return false;
}

// The C library's error number closest to a Windows error code.
inline int errno_from_windows(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EIO;
  }
}

}  // namespace utl

#endif  // _WIN32
