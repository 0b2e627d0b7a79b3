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
// A key that two names of one file share, existing or not: the absolute
// name with its links and "." and ".." resolved, as the system compares it.
std::string FileKey(const std::string& name);
// The file that writing to `name` reaches through its symbolic links, as a
// name: `name` itself when it is no link. Empty when `name` exists but its
// links do not lead to a name of it (a link of the system's to a pipe or an
// open file, such as /dev/stdout).
std::string FileBehindLinks(const std::string& name);

}  // namespace toridasu::cli
