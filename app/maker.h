#pragma once
// The maker's values, in one place: where the links lead and what the windows
// say about who made the program. The addresses are placeholders of our own
// until release (the .invalid domain never resolves).
#include <QString>
#include <QStringView>

namespace maker {

inline constexpr QStringView HomePage = u"https://vorlin.invalid/";
inline constexpr QStringView FeedbackAddress = u"feedback@vorlin.invalid";
inline constexpr QStringView SiteName = u"Vorlin";
inline constexpr QStringView DevelopmentTool = u"C++";

// "Technical support:" and the site: Form2's Label5 and the tooltip of the
// main window's home-page pictures.
inline QString supportText() { return QStringLiteral("技术支持：%1").arg(SiteName); }
inline QString feedbackMailto() { return QStringLiteral("mailto:%1").arg(FeedbackAddress); }

} // namespace maker
