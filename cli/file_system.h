// The file-system questions and the one change (making folders) of the
// converter, by native name.
#pragma once

#include <cstdint>
#include <string>

namespace toridasu::cli {

bool IsDirectory(const std::string& name);
// Creates a folder and any missing parents; false on failure.
bool MakeDirectories(const std::string& name);
// A file's size, 0 when unknown.
uint64_t FileSizeOf(const std::string& name);
// True when both names are the same existing file (or the same name).
bool NamesSameFile(const std::string& a, const std::string& b);

}  // namespace toridasu::cli
