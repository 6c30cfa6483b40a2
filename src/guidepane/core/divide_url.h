// Splits one address into scheme, host, user, password, path and extra information (what
// follows the path: the query with its "?", or a fragment with its "#"), with escape sequences
// decoded in each part. A text that is no address leaves every part empty.
#pragma once

#include <string>
#include <string_view>

namespace guide {
// Every %xx escape turned into its byte.
std::string decodeEscapes(std::string_view text);
}  // namespace guide

class divideUrl {
 public:
  explicit divideUrl(std::string_view address);

  bool isValid() const { return valid_; }
  const std::string& getScheme() const { return scheme_; }
  const std::string& getHost() const { return host_; }
  const std::string& getUserName() const { return user_; }
  const std::string& getPassword() const { return password_; }
  const std::string& getPath() const { return path_; }
  const std::string& getExtraInfo() const { return extra_; }
  // The last segment of the path, after its last "/" or "\" (the whole path without either).
  std::string getFileName() const;

 private:
  bool valid_ = false;
  std::string scheme_, host_, user_, password_, path_, extra_;
};
