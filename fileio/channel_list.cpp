#include "fileio/channel_list.h"

#include "runtime/busy_wait_lock.h"

namespace fileio {
namespace {

runtime::BusyWaitLock channelListLock;
FileChannel* channelList = nullptr;

FileChannel* FindUnderLock(std::int16_t number) {
  for (FileChannel* channel = channelList; channel != nullptr; channel = channel->next) {
    if (channel->number == number) return channel;
  }
  return nullptr;
}

void UnlinkUnderLock(FileChannel* channel) {
  for (FileChannel** link = &channelList; *link != nullptr; link = &(*link)->next) {
    if (*link == channel) {
      *link = channel->next;
      channel->next = nullptr;
      return;
    }
  }
}

}  // namespace

FileChannel* FindChannel(std::int16_t number) {
  runtime::BusyWaitGuard guard(channelListLock);
  return FindUnderLock(number);
}

void LinkChannel(FileChannel* channel) {
  runtime::BusyWaitGuard guard(channelListLock);
  channel->next = channelList;
  channelList = channel;
}

void UnlinkChannel(FileChannel* channel) {
  runtime::BusyWaitGuard guard(channelListLock);
  UnlinkUnderLock(channel);
}

FileChannel* TakeChannel(std::int16_t number) {
  runtime::BusyWaitGuard guard(channelListLock);
  FileChannel* channel = FindUnderLock(number);
  if (channel != nullptr) UnlinkUnderLock(channel);
  return channel;
}

void MarkOpenNumbers(std::bitset<32768>& open) {
  runtime::BusyWaitGuard guard(channelListLock);
  for (const FileChannel* channel = channelList; channel != nullptr; channel = channel->next) {
    // Unchecked indexing rather than bitset::set (see cmake/flags.cmake).
    if (channel->number >= 0) open[static_cast<std::size_t>(channel->number)] = true;
  }
}

}  // namespace fileio
