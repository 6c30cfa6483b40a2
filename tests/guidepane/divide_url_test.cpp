// The address splitter: parts, escapes, file names and texts that are no address.
#include "guidepane/core/divide_url.h"

#include <gtest/gtest.h>

namespace {

TEST(DivideUrl, SplitsAddresses) {
  struct Split {
    const char *address, *host, *path, *extra, *file;
  };
  for (const Split& s : {
           Split{"http://h/dir/page.htm?x=1", "h", "/dir/page.htm", "?x=1", "page.htm"},
           Split{"http://h/dir/", "h", "/dir/", "", ""},
           Split{"http://u:p@10.0.0.1:8080/cgi/TVpinfo.pl?ch=A&t=1", "10.0.0.1", "/cgi/TVpinfo.pl", "?ch=A&t=1", "TVpinfo.pl"},
           Split{"http://h", "h", "", "", ""},
           Split{"http://h/a%20b/c%2Fd.htm#top", "h", "/a b/c/d.htm", "#top", "d.htm"},
           Split{"file:///C:/guide/prgTable/121019tb.htm", "", "/C:/guide/prgTable/121019tb.htm", "", "121019tb.htm"},
           Split{"http://h/dir\\page.htm", "h", "/dir\\page.htm", "", "page.htm"},
           Split{"http://h/dir/\x95\x5C.htm", "h", "/dir/\x95\x5C.htm", "", "\x95\x5C.htm"},  // 表's trail byte
           Split{"about:blank", "", "blank", "", "blank"},
       }) {
    const divideUrl u(s.address);
    ASSERT_TRUE(u.isValid()) << s.address;
    EXPECT_EQ(u.getHost() + "|" + u.getPath() + "|" + u.getExtraInfo() + "|" + u.getFileName(),
              std::string(s.host) + "|" + s.path + "|" + s.extra + "|" + s.file);
  }
  const divideUrl withUser("ftp://me:secret@h:21/x");
  EXPECT_EQ(withUser.getScheme() + withUser.getUserName() + withUser.getPassword(), "ftpmesecret");

  for (const char* text : {"", "no address", "C:\\guide\\prgTable\\121019tb.htm", "http://h:port/x", "ht tp://h/"}) {
    const divideUrl u(text);
    EXPECT_FALSE(u.isValid()) << text;
    EXPECT_EQ(u.getScheme() + u.getHost() + u.getUserName() + u.getPassword() + u.getPath() + u.getExtraInfo() +
                  u.getFileName(),
              "");
  }
}

}  // namespace
