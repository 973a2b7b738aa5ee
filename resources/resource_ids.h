/* Ids of the executable's resources other than the string table. */
#ifndef LAUNCHER_RESOURCE_IDS_H
#define LAUNCHER_RESOURCE_IDS_H

#define IDI_LAUNCHER 100

/* RCDATA holding the built-in settings (INI text, UTF-8 or UTF-16LE with BOM). */
#define BUILTIN_SETTINGS_RESOURCE_NAME "SETTINGS"

#endif
