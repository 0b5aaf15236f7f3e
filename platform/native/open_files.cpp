#include "platform/native/open_files.h"

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <utility>

namespace platform::posix {
namespace {

using FileKey = std::pair<dev_t, ino_t>;

struct OpenHandle {
  FileKey file;
  DWORD access;
  DWORD share;
};

struct Table {
  std::mutex guard;
  std::map<int, OpenHandle> byDescriptor;
  std::map<FileKey, std::string> deleted;  // held files deleted, by the name they had
};

Table& TheTable() {
  static Table table;
  return table;
}

bool KeyOfPath(const std::string& path, FileKey& key) {
  struct stat info = {};
  if (stat(path.c_str(), &info) != 0) return false;
  key = {info.st_dev, info.st_ino};
  return true;
}

// What one side asks is allowed by what the other shares, as Windows checks both ways.
bool Allows(DWORD access, DWORD share) {
  const bool reads = (access & GENERIC_READ) != 0 && (share & FILE_SHARE_READ) == 0;
  const bool writes = (access & GENERIC_WRITE) != 0 && (share & FILE_SHARE_WRITE) == 0;
  const bool deletes = (access & DELETE) != 0 && (share & FILE_SHARE_DELETE) == 0;
  return !reads && !writes && !deletes;
}

}  // namespace

DWORD Admit(int descriptor, DWORD access, DWORD share) {
  struct stat info = {};
  if (fstat(descriptor, &info) != 0) return ERROR_INVALID_HANDLE;
  const FileKey key{info.st_dev, info.st_ino};
  Table& table = TheTable();
  std::lock_guard lock(table.guard);
  if (table.deleted.count(key) != 0) return ERROR_ACCESS_DENIED;
  for (const auto& [other, held] : table.byDescriptor) {
    if (held.file != key) continue;
    if (!Allows(access, held.share) || !Allows(held.access, share)) return ERROR_SHARING_VIOLATION;
  }
  table.byDescriptor[descriptor] = {key, access, share};
  return ERROR_SUCCESS;
}

std::string Forget(int descriptor) {
  Table& table = TheTable();
  std::lock_guard lock(table.guard);
  auto found = table.byDescriptor.find(descriptor);
  if (found == table.byDescriptor.end()) return {};
  const FileKey key = found->second.file;
  table.byDescriptor.erase(found);
  for (const auto& [other, held] : table.byDescriptor) {
    if (held.file == key) return {};
  }
  auto deleted = table.deleted.find(key);
  if (deleted == table.deleted.end()) return {};
  std::string name = std::move(deleted->second);
  table.deleted.erase(deleted);
  return name;
}

DWORD AccessOf(int descriptor) {
  Table& table = TheTable();
  std::lock_guard lock(table.guard);
  auto found = table.byDescriptor.find(descriptor);
  return found != table.byDescriptor.end() ? found->second.access : 0;
}

Holders HoldersOf(const std::string& path) {
  FileKey key;
  if (!KeyOfPath(path, key)) return Holders::kNone;
  Table& table = TheTable();
  std::lock_guard lock(table.guard);
  Holders holders = Holders::kNone;
  for (const auto& [other, held] : table.byDescriptor) {
    // A handle that reads no data (attributes only) holds nothing a rename must wait for.
    if (held.file != key || (held.access & (GENERIC_READ | GENERIC_WRITE | DELETE)) == 0) continue;
    if ((held.share & FILE_SHARE_DELETE) == 0) return Holders::kSomeDenyDelete;
    holders = Holders::kAllShareDelete;
  }
  return holders;
}

bool IsDeletePending(const std::string& path) {
  FileKey key;
  if (!KeyOfPath(path, key)) return false;
  Table& table = TheTable();
  std::lock_guard lock(table.guard);
  return table.deleted.count(key) != 0;
}

void MarkDeletePending(const std::string& path) {
  FileKey key;
  if (!KeyOfPath(path, key)) return;
  Table& table = TheTable();
  std::lock_guard lock(table.guard);
  table.deleted.emplace(key, path);
}

}  // namespace platform::posix
