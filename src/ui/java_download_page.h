
namespace launcher::ui {

#ifndef LAUNCHER_JAVA_DOWNLOAD_PAGE_H
#define LAUNCHER_JAVA_DOWNLOAD_PAGE_H

/* The download page that the "JRE Not Found" message points the user to: the
   text of the dialog's link (resources/dialogs.rc) and of the terminal's
   message. Plain C, so that the resource compiler reads it too. */
#define JAVA_DOWNLOAD_PAGE "https://adoptium.net/"

#ifndef RC_INVOKED
inline constexpr const wchar_t* kJavaDownloadPage = L"" JAVA_DOWNLOAD_PAGE;
#endif

#endif

}  // namespace launcher::ui
