#pragma once
// The maker's values, in one place: where the links lead and what the About
// window says about who made the program. The addresses are placeholders of
// our own until release (the .invalid domain never resolves).
#include <QStringView>

namespace maker {

inline constexpr QStringView HomePage = u"https://vorlin.invalid/";
inline constexpr QStringView FeedbackAddress = u"feedback@vorlin.invalid";
inline constexpr QStringView SiteName = u"Vorlin";
inline constexpr QStringView DevelopmentTool = u"C++";

} // namespace maker
