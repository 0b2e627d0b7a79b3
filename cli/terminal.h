// What differs between the systems for a command-line program: text on the
// terminal, file listing and naming, and the user's language. "Native" text
// is UTF-8 on Linux and the ANSI code page (Shift-JIS) on Windows: file names
// arrive that way and are shown that way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace toridasu::cli {

// Our own messages are UTF-8; the engine's are Shift-JIS. Both to native.
std::string NativeFromUtf8(std::string_view utf8);
std::string NativeFromShiftJis(std::string_view shiftJis);

// Writes native text to stderr or stdout, through the console's own code
// page when the stream is a Windows console.
void WriteNative(std::FILE* stream, std::string_view text);
bool IsTerminal(std::FILE* stream);
// Columns that native text takes on a terminal (a double-width character two).
std::size_t DisplayWidth(std::string_view text);

// Whether the user's locale asks for Japanese messages; TORIDASU_LANG=en or
// TORIDASU_LANG=ja in the environment chooses instead.
bool UserPrefersJapanese();

// True when both names are the same existing file (or the same name).
bool NamesSameFile(const std::string& a, const std::string& b);
// A file name as the file system compares it (case-blind on Windows): two
// names with the same key name the same file.
std::string NameKey(const std::string& name);

// INPUT with its last extension replaced by ".csv". File names are
// Shift-JIS on Windows and UTF-8 on Linux, so each system cuts its own way.
std::string DefaultOutputName(const std::string& input);
// The last component of a path, and a path joined with a name.
std::string BaseName(const std::string& path);
std::string JoinPath(const std::string& directory, const std::string& name);

bool IsDirectory(const std::string& path);
bool HasWildcard(const std::string& path);
// The drawings (*.dxf, any letter case) of a folder, sorted; with `recursive`
// those of its subfolders too. False when the folder cannot be read.
bool ListDrawings(const std::string& directory, bool recursive, std::vector<std::string>* found);
// The files matching a pattern with * and ? (Windows; empty on Linux, whose
// shell expands patterns itself).
std::vector<std::string> ExpandPattern(const std::string& pattern);
// Creates a folder and any missing parents; false on failure.
bool MakeDirectories(const std::string& path);
// A file's size, 0 when unknown.
uint64_t FileSizeOf(const std::string& path);

// Standard input and output in binary mode, so bytes pass unchanged.
void UseBinaryStreams();

}  // namespace toridasu::cli
