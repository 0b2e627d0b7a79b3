// File names as the converter handles them: native text (UTF-8 on Windows,
// read from the wide command line and the wide calls; on Linux the bytes
// the system gives), turned into std::filesystem paths for the file
// system's own work and cut and joined by each system's rules.
#pragma once

#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace toridasu::cli {

// How native names reach the platform's file calls.
NameEncoding NativeNameEncoding();

// A native name as a path, and back.
std::filesystem::path PathOf(const std::string& name);
std::string NameOf(const std::filesystem::path& path);

// A file name as the file system compares it (case-blind on Windows): two
// names with the same key name the same file.
std::string NameKey(const std::string& name);

// INPUT with its last extension replaced by `extension` (".csv", ".xlsx"),
// each system cutting by its own separators.
std::string DefaultOutputName(const std::string& input, const std::string& extension = ".csv");

// The last component of a path, and a path joined with a name.
std::string BaseName(const std::string& path);
std::string JoinPath(const std::string& directory, const std::string& name);

}  // namespace toridasu::cli
