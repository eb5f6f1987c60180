// The program's settings file, looked at before anything reads it. A settings file that is
// not a regular file (a pipe would block the start for ever, a device or folder is no settings
// file) is not read: the program starts with its default settings and keeps none. A
// read-only one is read and left as it is: changes last until the program ends. Both by
// pointing the settings at a folder of this run's own.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

namespace qrv {

enum class SettingsFileKind {
    Missing,    // nothing there yet: written when there is something to keep
    Writable,
    ReadOnly,   // no write permission in its mode (so also for root), or none for this user
    NotAFile,   // a pipe, device, socket or folder, also at the end of a link
};

SettingsFileKind settingsFileKind(const QString& path);

// The files the program's settings are read from: its own, then the organisation's.
QStringList settingsFilePaths();

struct SettingsGuard {
    QString warning; // a settings file not read: for a message box
    QString note;    // a settings file left unchanged: for the program's standard error
};

// Looks at the settings files and, where one may not be read or written, points the settings
// elsewhere for this run. Call before the first QSettings. What the user should be told (the
// file and what happens); both empty when all is well.
SettingsGuard guardSettingsFiles();

// The program's own settings, where every window keeps what it remembers.
QSettings programSettings();

} // namespace qrv
