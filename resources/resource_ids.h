/* Ids of the executable's resources other than the string table. */
#ifndef LAUNCHER_RESOURCE_IDS_H
#define LAUNCHER_RESOURCE_IDS_H

#define IDI_LAUNCHER 100

/* RCDATA holding the built-in settings (INI text, UTF-8 or UTF-16LE with BOM). */
#define BUILTIN_SETTINGS_RESOURCE_NAME "SETTINGS"

/* The "JRE Not Found" dialog and its controls (besides IDOK and IDCANCEL). */
#define IDD_JRE_NOT_FOUND 201
#define IDC_JRE_PATH 201
#define IDC_BROWSE 202
#define IDC_JRE_MESSAGE 203
#define IDC_ERROR_ICON 204
#define IDC_DOWNLOAD_LINK 205
#define IDC_BROWSE_HINT 206

/* The same dialog grown by a row for the install of the publisher's pinned
   runtime, shown only when one is pinned; its other controls are those above. */
#define IDD_JRE_NOT_FOUND_INSTALL 202
#define IDC_INSTALL 207

/* The progress of that install: IDCANCEL is Cancel. */
#define IDD_RUNTIME_INSTALL 241
#define IDC_PROGRESS_HEADLINE 242
#define IDC_PROGRESS_BAR 243
#define IDC_PROGRESS_DETAIL 244

/* The "Java Exception" dialog and its controls: IDOK is Ignore, IDCANCEL Stop;
   the icon is IDC_ERROR_ICON as above. */
#define IDD_JAVA_EXCEPTION 231
#define IDC_EXCEPTION_TEXT 208
#define IDC_EXCEPTION_GROUP 209
#define IDC_EXCEPTION_HEADING 210
#define IDC_EXCEPTION_CHOICE 211
#define IDC_EXCEPTION_WARNING 212

#endif
