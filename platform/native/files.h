#pragma once
// Shared by the native stand-in's file calls (files.cpp, file_identity.cpp): names
// as the kernel takes them, failures recorded as Windows codes, and the share-mode probe.

#include <string>

#include "platform/files.h"

namespace platform::posix {

// UTF-16 up to its zero terminator, as the UTF-8 path the kernel takes. A lone surrogate
// becomes U+FFFD.
std::string PathOf(const char16_t* name);

// Records `code` as the calling thread's last error and returns it.
DWORD Fail(DWORD code);

// The Windows code for `errnum` raised by an operation on `path`; a missing name tells a
// missing file in an existing folder from a missing folder, as Windows does.
DWORD ErrorForName(int errnum, const std::string& path);

// The name an open descriptor has now, as the kernel tracks it; empty when it has none.
std::string NameOfDescriptor(int descriptor);

// Holds an exclusive lock on an existing file for one rename or delete, as Windows needs
// delete access that a handle opened without sharing denies.
class NameProbe {
 public:
  explicit NameProbe(const std::string& path);
  ~NameProbe();
  NameProbe(const NameProbe&) = delete;
  NameProbe& operator=(const NameProbe&) = delete;
  bool HeldElsewhere() const { return held_; }

 private:
  int fd_;
  bool held_ = false;
};

}  // namespace platform::posix
