// The address splitter: parts, escapes, file names and texts that are no address.
#include "guidepane/core/divide_url.h"

#include <gtest/gtest.h>

namespace {

struct Split {
  const char* address;
  const char* host;
  const char* path;
  const char* extra;
  const char* file;
};

TEST(DivideUrl, SplitsAddresses) {
  const Split table[] = {
      {"http://h/dir/page.htm?x=1", "h", "/dir/page.htm", "?x=1", "page.htm"},
      {"http://h/dir/", "h", "/dir/", "", ""},
      {"http://user:pw@10.0.0.1:8080/cgi/TVpinfo.pl?ch=A&t=2026/12/10/21:00", "10.0.0.1", "/cgi/TVpinfo.pl",
       "?ch=A&t=2026/12/10/21:00", "TVpinfo.pl"},
      {"http://h", "h", "", "", ""},
      {"http://h/a%20b/c%2Fd.htm#top", "h", "/a b/c/d.htm", "#top", "d.htm"},
      {"file:///C:/guide/prgTable/121019tb.htm", "", "/C:/guide/prgTable/121019tb.htm", "", "121019tb.htm"},
      {"http://h/dir\\page.htm", "h", "/dir\\page.htm", "", "page.htm"},
      {"about:blank", "", "blank", "", "blank"},
  };
  for (const Split& s : table) {
    SCOPED_TRACE(s.address);
    const divideUrl u(s.address);
    ASSERT_TRUE(u.isValid());
    EXPECT_EQ(u.getHost(), s.host);
    EXPECT_EQ(u.getPath(), s.path);
    EXPECT_EQ(u.getExtraInfo(), s.extra);
    EXPECT_EQ(u.getFileName(), s.file);
  }
  const divideUrl withUser("ftp://me:secret@h:21/x");
  EXPECT_EQ(withUser.getScheme(), "ftp");
  EXPECT_EQ(withUser.getUserName(), "me");
  EXPECT_EQ(withUser.getPassword(), "secret");
}

TEST(DivideUrl, TextsThatAreNoAddressLeaveEveryPartEmpty) {
  for (const char* text : {"", "no address", "C:\\guide\\prgTable\\121019tb.htm", "http://h:port/x", "ht tp://h/"}) {
    SCOPED_TRACE(text);
    const divideUrl u(text);
    EXPECT_FALSE(u.isValid());
    EXPECT_EQ(u.getScheme() + u.getHost() + u.getUserName() + u.getPassword() + u.getPath() + u.getExtraInfo() +
                  u.getFileName(),
              "");
  }
}

TEST(DivideUrl, AFileNameStepsOverDoubleByteCharacters) {
  // 表 is 95 5C: its trail byte is no separator.
  const divideUrl u("http://h/dir/\x95\x5C.htm");
  EXPECT_EQ(u.getFileName(), "\x95\x5C.htm");
}

}  // namespace
