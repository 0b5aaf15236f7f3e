#include "runtime/release_list.h"

#include "runtime/release_locals.h"

namespace runtime {
namespace {

const ReleaseEntry* globalReleaseList = nullptr;

}  // namespace

void SetGlobalReleaseList(const ReleaseEntry* list) {
  globalReleaseList = list;
}

void ReleaseGlobals() {
  const ReleaseEntry* list = globalReleaseList;
  globalReleaseList = nullptr;
  ReleaseLocals(list);
}

}  // namespace runtime
