// Where an address lies, for the texts that name a module and an offset.
#pragma once

#include <cstdint>
#include <string>

namespace toridasu::app {

// The base of the allocation that holds `address`, when that memory is
// committed.
bool CommittedBase(uintptr_t address, uintptr_t& base);

// The full path and load address of the loaded module whose committed memory
// holds `address`; false when it lies in none.
bool ModuleOfAddress(uintptr_t address, std::string& path, uintptr_t& base);

// The program's own full path.
std::string ProgramPath();

}  // namespace toridasu::app
