#include "paths.h"

namespace {

std::size_t LastDelimiter(std::string_view path) { return path.find_last_of("\\:"); }

}  // namespace

std::string ExtractFilePath(std::string_view path) {
  const std::size_t cut = LastDelimiter(path);
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string ExtractFileName(std::string_view path) {
  const std::size_t cut = LastDelimiter(path);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtractFileDrive(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share: up to (not including) the separator after the share.
    const std::size_t server_end = path.find('\\', 2);
    if (server_end == std::string_view::npos) return std::string(path);
    const std::size_t share_end = path.find('\\', server_end + 1);
    return std::string(path.substr(0, share_end));
  }
  return std::string();
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  const std::size_t dot = path.find_last_of(".\\:");
  const std::size_t stem = (dot != std::string_view::npos && path[dot] == '.') ? dot : path.size();
  std::string result(path.substr(0, stem));
  result.append(extension);
  return result;
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != '\\') result.push_back('\\');
  return result;
}
