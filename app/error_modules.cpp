#include "app/error_modules.h"

#include <windows.h>

namespace toridasu::app {
namespace {

std::string PathOf(HMODULE module) {
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}

}  // namespace

bool CommittedBase(uintptr_t address, uintptr_t& base) {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<LPCVOID>(address), &info, sizeof info) == 0) return false;
  if (info.State != MEM_COMMIT) return false;
  base = reinterpret_cast<uintptr_t>(info.AllocationBase);
  return true;
}

bool ModuleOfAddress(uintptr_t address, std::string& path, uintptr_t& base) {
  uintptr_t allocation = 0;
  if (!CommittedBase(address, allocation)) return false;
  std::string modulePath = PathOf(reinterpret_cast<HMODULE>(allocation));
  if (modulePath.empty()) return false;
  path = std::move(modulePath);
  base = allocation;
  return true;
}

std::string ProgramPath() { return PathOf(nullptr); }

}  // namespace toridasu::app
