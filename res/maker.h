// Who makes the program and where to reach them. The version resource takes
// the narrow macros (the resource compiler reads this file too); program
// code uses the wide constants below, so both say the same thing.
#ifndef DORVANE_MAKER_H
#define DORVANE_MAKER_H

#define DV_MAKER_NAME "Quillon Software"
#define DV_MAKER_SITE "http://www.quillon.example"
#define DV_MAKER_HOST "www.quillon.example"
#define DV_SUPPORT_MAIL "support@quillon.example"
#define DV_LEGAL_NOTICE "Copyright (C) 2005 Quillon Software. All rights reserved."
#define DV_TRADEMARKS "Ombrelle is a trademark of Quillon Software."

#ifndef RC_INVOKED

inline constexpr wchar_t kMakerName[] = L"" DV_MAKER_NAME;
// Home page, also the base of the site's other pages.
inline constexpr wchar_t kMakerSite[] = L"" DV_MAKER_SITE;
// The site's host name alone, shown as the link caption.
inline constexpr wchar_t kMakerHost[] = L"" DV_MAKER_HOST;
inline constexpr wchar_t kSupportMail[] = L"" DV_SUPPORT_MAIL;
inline constexpr wchar_t kLegalNotice[] = L"" DV_LEGAL_NOTICE;
inline constexpr wchar_t kTrademarks[] = L"" DV_TRADEMARKS;
// The paragraph under "Warning:" in the About window.
inline constexpr wchar_t kWarningText[] =
    L"This program is protected by copyright law and international treaties. "
    L"Copying or distributing it, in whole or in part, without the written "
    L"permission of Quillon Software is not allowed and may lead to civil "
    L"and criminal prosecution.";

#endif
#endif
