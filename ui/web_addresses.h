// The web addresses the program shows or opens. Hosts lie under the
// reserved example domain.
#pragma once

namespace quorvane::ui {

// The maker's home page: the About window's three links. lblURL shows it in
// full within 145 pixels, so it is kept short.
inline constexpr const char* kMakerHomePage = "http://tessamont.example/";
// The speed-test site: the Finished window's link.
inline constexpr const char* kSpeedTestSite = "http://speedtest.pennick.example/";
// The news article that the ADSL warning names.
inline constexpr const char* kAdslArticle = "http://news.example/content/4/24376.html";

}  // namespace quorvane::ui
