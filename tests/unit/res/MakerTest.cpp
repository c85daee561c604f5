// The maker's contact details appear in several captions and links; they
// must agree with one another.
#include <gtest/gtest.h>

#include <string>

#include "maker.h"

TEST(Maker, SiteAddressIsTheHostBehindHttp) {
  EXPECT_EQ(std::wstring(kMakerSite), std::wstring(L"http://") + kMakerHost);
}

TEST(Maker, SupportMailBelongsToTheSitesDomain) {
  const std::wstring mail = kSupportMail, host = kMakerHost;
  const auto at = mail.find(L'@');
  ASSERT_NE(at, std::wstring::npos);
  const std::wstring domain = mail.substr(at + 1);
  EXPECT_EQ(host.substr(host.size() - domain.size()), domain);
}

TEST(Maker, NoticesNameTheMaker) {
  for (const std::wstring text : {kLegalNotice, kTrademarks, kWarningText})
    EXPECT_NE(text.find(kMakerName), std::wstring::npos) << std::string(text.begin(), text.end());
}
