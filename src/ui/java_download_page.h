#pragma once

// The download page that the "JRE Not Found" message points the user to.
inline constexpr const wchar_t* kJavaDownloadPage = L"https://adoptium.net/";
