#include "files/file_names.h"

namespace toridasu {
namespace {

constexpr std::string_view kPathDelimiters = "\\:";
constexpr std::string_view kExtensionDelimiters = ".\\:";
constexpr std::string_view kUtf8ExtensionDelimiters = ".\\/:";

}  // namespace

std::string DirectoryPart(std::string_view path) {
  return std::string(path.substr(0, FindLastDelimiter(kPathDelimiters, path)));
}

std::string FileNamePart(std::string_view path) {
  return std::string(path.substr(FindLastDelimiter(kPathDelimiters, path)));
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  const std::size_t k = FindLastDelimiter(kExtensionDelimiters, path);
  std::string result(k > 0 && path[k - 1] == '.' ? path.substr(0, k - 1) : path);
  result += extension;
  return result;
}

std::string ReplaceExtensionUtf8(std::string_view path, std::string_view extension) {
  const std::size_t k = path.find_last_of(kUtf8ExtensionDelimiters);
  std::string result(k != std::string_view::npos && path[k] == '.' ? path.substr(0, k) : path);
  result += extension;
  return result;
}

}  // namespace toridasu
