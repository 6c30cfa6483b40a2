#include "divide_url.h"

#include "../../common/sjis.h"

namespace {

bool isSchemeChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-' || c == '.';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string guide::decodeEscapes(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const int hi = s[i] == '%' && i + 2 < s.size() ? hexValue(s[i + 1]) : -1;
    const int lo = hi >= 0 ? hexValue(s[i + 2]) : -1;
    if (lo >= 0) {
      out.push_back(static_cast<char>(hi * 16 + lo));
      i += 2;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

divideUrl::divideUrl(std::string_view address) {
  const size_t colon = address.find(':');
  // A one-letter scheme is a drive letter, not an address.
  if (colon == std::string_view::npos || colon < 2) return;
  for (size_t i = 0; i < colon; ++i)
    if (!isSchemeChar(address[i])) return;
  std::string_view rest = address.substr(colon + 1);

  std::string_view authority;
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const size_t end = tavora::sjis::findFirstOf(rest, "/\\?#");
    authority = rest.substr(0, end == std::string_view::npos ? rest.size() : end);
    rest.remove_prefix(authority.size());
  }
  const size_t extraStart = tavora::sjis::findFirstOf(rest, "?#");
  std::string_view path = rest.substr(0, extraStart == std::string_view::npos ? rest.size() : extraStart);
  std::string_view extra = rest.substr(path.size());

  std::string_view hostPort = authority;
  const size_t at = authority.rfind('@');
  if (at != std::string_view::npos) {
    std::string_view userInfo = authority.substr(0, at);
    hostPort = authority.substr(at + 1);
    const size_t sep = userInfo.find(':');
    user_ = guide::decodeEscapes(userInfo.substr(0, sep));
    if (sep != std::string_view::npos) password_ = guide::decodeEscapes(userInfo.substr(sep + 1));
  }
  const size_t portSep = hostPort.rfind(':');
  if (portSep != std::string_view::npos) {
    for (char c : hostPort.substr(portSep + 1))
      if (c < '0' || c > '9') {
        user_.clear();
        password_.clear();
        return;
      }
    hostPort = hostPort.substr(0, portSep);
  }
  scheme_ = std::string(address.substr(0, colon));
  host_ = guide::decodeEscapes(hostPort);
  path_ = guide::decodeEscapes(path);
  extra_ = guide::decodeEscapes(extra);
  valid_ = true;
}

std::string divideUrl::getFileName() const {
  const size_t last = tavora::sjis::findLastOf(path_, "/\\");
  return last == std::string::npos ? path_ : path_.substr(last + 1);
}
