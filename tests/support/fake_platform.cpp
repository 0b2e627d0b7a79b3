#include "support/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/wildcard.h"

namespace toridasu {
namespace {

std::size_t FolderLength(std::string_view name) {
  std::size_t separator = name.find_last_of("\\/");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

}  // namespace

void FakePlatform::AddFile(const std::string& name, std::string bytes) {
  File& file = files[name];
  file.bytes = std::move(bytes);
}

std::string FakePlatform::Contents(const std::string& name) const {
  auto found = files.find(name);
  return found == files.end() ? std::string() : found->second.bytes;
}

bool FakePlatform::IsOpen(const std::string& name, bool* forWriting) const {
  bool open = false;
  *forWriting = false;
  for (const auto& [handle, entry] : handles_) {
    if (entry.name != name) continue;
    open = true;
    *forWriting = *forWriting || entry.writing;
  }
  return open;
}

uint32_t FakePlatform::Open(const std::string& name, bool writing, FileHandle* handle, bool empty) {
  bool heldForWriting = false;
  bool held = IsOpen(name, &heldForWriting);
  if (held && (writing || heldForWriting)) return win_error::kSharingViolation;
  if (writing && empty) files[name].bytes.clear();
  FileHandle next = nextHandle_++;
  handles_[next] = Handle{name, writing, 0};
  *handle = next;
  return 0;
}

uint32_t FakePlatform::OpenForReading(const char* name, FileHandle* handle) {
  *handle = kNoFile;
  opened.push_back(name);
  if (openForReadingError != 0) return openForReadingError;
  if (directories.count(name) != 0) return win_error::kAccessDenied;
  if (!Exists(name)) return name[0] == '\0' ? win_error::kPathNotFound : win_error::kFileNotFound;
  return Open(name, false, handle);
}

uint32_t FakePlatform::CreateForWriting(const char* name, FileHandle* handle) {
  *handle = kNoFile;
  created.push_back(name);
  if (createForWritingError != 0) return createForWritingError;
  if (name[0] == '\0') return win_error::kPathNotFound;
  if (directories.count(name) != 0) return win_error::kAccessDenied;
  auto found = files.find(name);
  if (found != files.end() && found->second.readOnly) return win_error::kAccessDenied;
  if (found == files.end()) AddFile(name);
  return Open(name, true, handle);
}

uint32_t FakePlatform::OpenExistingForWriting(const char* name, FileHandle* handle) {
  *handle = kNoFile;
  probed.push_back(name);
  if (directories.count(name) != 0) return win_error::kAccessDenied;
  auto found = files.find(name);
  if (found == files.end())
    return name[0] == '\0' ? win_error::kPathNotFound : win_error::kFileNotFound;
  if (found->second.readOnly) return win_error::kAccessDenied;
  return Open(name, true, handle, false);
}

uint32_t FakePlatform::CreateNewForWriting(const char* name, FileHandle* handle) {
  *handle = kNoFile;
  created.push_back(name);
  if (createForWritingError != 0) return createForWritingError;
  if (name[0] == '\0') return win_error::kPathNotFound;
  if (Exists(name) || directories.count(name) != 0) return win_error::kFileExists;
  AddFile(name);
  return Open(name, true, handle);
}

uint32_t FakePlatform::Replace(const char* from, const char* to) {
  replaced.push_back(to);
  if (replaceError != 0) return replaceError;
  bool held = false;
  auto source = files.find(from);
  if (source == files.end()) return win_error::kFileNotFound;
  if (IsOpen(from, &held) || IsOpen(to, &held) || directories.count(to) != 0) {
    return win_error::kAccessDenied;
  }
  auto target = files.find(to);
  if (target != files.end() && target->second.readOnly) return win_error::kAccessDenied;
  files[to] = source->second;
  files.erase(from);
  return 0;
}

uint32_t FakePlatform::Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) {
  *got = 0;
  readSizes.push_back(size);
  ++readCount_;
  auto found = handles_.find(handle);
  if (found == handles_.end()) return win_error::kInvalidHandle;
  if (found->second.writing) return win_error::kAccessDenied;
  if (readCount_ == failReadNumber) return readError;
  const std::string& bytes = files[found->second.name].bytes;
  std::size_t position = std::min(found->second.position, bytes.size());
  std::size_t count = std::min<std::size_t>(size, bytes.size() - position);
  if (readChunk != 0) count = std::min<std::size_t>(count, readChunk);
  if (count != 0) std::memcpy(buffer, bytes.data() + position, count);
  found->second.position = position + count;
  *got = static_cast<uint32_t>(count);
  return 0;
}

uint32_t FakePlatform::Write(FileHandle handle, const void* data, uint32_t size) {
  writeSizes.push_back(size);
  ++writeCount_;
  auto found = handles_.find(handle);
  if (found == handles_.end()) return win_error::kInvalidHandle;
  if (!found->second.writing) return win_error::kAccessDenied;
  if (failWriteNumber != 0 &&
      (writeCount_ == failWriteNumber || (failLaterWrites && writeCount_ > failWriteNumber))) {
    return writeError;
  }
  files[found->second.name].bytes.append(static_cast<const char*>(data), size);
  return 0;
}

FileKind FakePlatform::KindOf(FileHandle handle) {
  return handles_.count(handle) != 0 ? kind : FileKind::Unknown;
}

uint32_t FakePlatform::Close(FileHandle handle) {
  ++closeCalls;
  if (handles_.erase(handle) == 0) return win_error::kInvalidHandle;
  return closeError;
}

bool FakePlatform::FindFirst(const char* pattern, FoundEntry* entry) {
  searched.push_back(pattern);
  std::string_view text(pattern);
  if (findFails || text.empty()) return false;
  std::size_t folderLength = FolderLength(text);
  std::string_view namePattern = text.substr(folderLength);
  // The first match in byte order of the full names, files and folders alike.
  const std::string* best = nullptr;
  auto consider = [&](const std::string& name) {
    std::string_view candidate(name);
    if (FolderLength(candidate) != folderLength ||
        candidate.substr(0, folderLength) != text.substr(0, folderLength))
      return;
    bool matches = HasWildcard(namePattern)
                       ? MatchesWildcard(namePattern, candidate.substr(folderLength))
                       : candidate == text;
    if (matches && (best == nullptr || name < *best)) best = &name;
  };
  for (const auto& [name, file] : files) consider(name);
  for (const std::string& name : directories) consider(name);
  if (best == nullptr) return false;
  auto file = files.find(*best);
  entry->isDirectory = file == files.end();
  return true;
}

bool FakePlatform::Delete(const char* name) {
  deleted.push_back(name);
  auto found = files.find(name);
  bool heldForWriting = false;
  if (deleteFails || found == files.end() || found->second.readOnly ||
      IsOpen(name, &heldForWriting)) {
    return false;
  }
  files.erase(found);
  return true;
}

bool FakePlatform::AnsiCodePageInfo(CodePageInfo* info) {
  if (!codePageAvailable) return false;
  *info = codePage;
  return true;
}

// The letters a to z become A to Z; a lead byte of `codePage` (when
// double-byte) carries the byte after it along unchanged.
void FakePlatform::UpperCase(char* text, uint32_t length) {
  auto isLead = [this](unsigned char byte) {
    if (!doubleByte) return false;
    for (int pair = 0; pair < 6; ++pair) {
      unsigned char first = codePage.leadByteRanges[2 * pair];
      unsigned char last = codePage.leadByteRanges[2 * pair + 1];
      if (first == 0 && last == 0) break;
      if (byte >= first && byte <= last) return true;
    }
    return false;
  };
  for (uint32_t i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (isLead(byte)) {
      ++i;
    } else if (byte >= 'a' && byte <= 'z') {
      text[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
}

}  // namespace toridasu
