#include "platform/snapshot_file_attributes.h"

#include <sys/stat.h>

#include <string>

namespace platform {

// Names are UTF-16; the native stand-in only meets the ASCII names of tests.
DWORD GetFileAttributesW(const char16_t* fileName) {
  std::string name;
  for (const char16_t* c = fileName; *c != 0; ++c) name += static_cast<char>(*c);
  struct stat status {};
  if (stat(name.c_str(), &status) != 0) return INVALID_FILE_ATTRIBUTES;
  DWORD attributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

}  // namespace platform
