// Helpers of the fault-injection tests: membrelv2's example tree, what a directory holds, and a
// directory that not even the superuser can write into.
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace faults {

namespace fs = std::filesystem;

// Copies the inputs of membrelv2's example under the source tree `source` into `dir`, makes the
// working directory with its (empty) state directory ks/, and returns the working directory.
inline fs::path copy_membrelv2_example(const fs::path& source, const fs::path& dir) {
  const fs::path example = source / "examples" / "membrelv2";
  for (const char* tree : {"data", "data0", "static"}) {
    fs::copy(example / tree, dir / tree, fs::copy_options::recursive);
  }
  fs::create_directories(dir / "work" / "ks");
  return dir / "work";
}

// Every file under `dir` (relative path) with its bytes; directories as "<dir>", symbolic links
// as "<link TARGET>" (they may lead to a device that never ends).
inline std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string name = fs::relative(entry.path(), dir).generic_string();
    if (entry.is_symlink()) {
      files[name] = "<link " + fs::read_symlink(entry.path()).generic_string() + ">";
    } else if (entry.is_directory()) {
      files[name] = "<dir>";
    } else {
      std::ifstream in(entry.path(), std::ios::binary);
      files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
  }
  return files;
}

// Makes `dir` refuse new entries while it lives (or a file refuse changes): by its permission
// bits for an ordinary user, by the immutable attribute for the superuser, whom permission bits
// do not stop. ok() is false when neither is possible here (the test is then skipped), as for a
// directory on Windows, where a folder's read-only attribute does not stop new files.
class Unwritable {
 public:
#ifdef _WIN32
  // A file is protected by its read-only attribute, which write permission maps to here.
  explicit Unwritable(fs::path dir) : dir_(std::move(dir)) {
    std::error_code error;
    if (!fs::is_regular_file(dir_, error)) return;
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, error);
    ok_ = !error;
  }
  ~Unwritable() {
    std::error_code ignored;
    if (ok_) fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add, ignored);
  }
#else
  explicit Unwritable(fs::path dir) : dir_(std::move(dir)) {
    if (geteuid() != 0) {
      ok_ = chmod(dir_.c_str(), 0555) == 0;
      return;
    }
    const int fd = open(dir_.c_str(), O_RDONLY);
    if (fd < 0) return;
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags |= FS_IMMUTABLE_FL;
      ok_ = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
      immutable_ = ok_;
    }
    close(fd);
  }
  ~Unwritable() {
    if (!ok_) return;
    if (!immutable_) {
      chmod(dir_.c_str(), 0755);
      return;
    }
    const int fd = open(dir_.c_str(), O_RDONLY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags &= ~FS_IMMUTABLE_FL;
      ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0) close(fd);
  }
#endif
  Unwritable(const Unwritable&) = delete;
  Unwritable& operator=(const Unwritable&) = delete;
  bool ok() const { return ok_; }

 private:
  fs::path dir_;
  bool ok_ = false;
  bool immutable_ = false;
};

}  // namespace faults
