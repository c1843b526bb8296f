#pragma once

#include <QString>

class QSettings;

// The names of the user's settings store and the one way each kind of stored
// value is read back. Every settings class of the program reads through here,
// so a value edited by hand into the store is treated alike wherever it is
// read. A key the store lacks always keeps the current value.
class CSettingsStore
{
public:
    // QSettings(kCompany, kApplication) is ~/.config/Orvane/Varnel.conf.
    static constexpr const char* kCompany = "Orvane";
    static constexpr const char* kApplication = "Varnel";
    // The section of the comparison and display settings, and the section of
    // the window's placement.
    static constexpr const char* kSettingsSection = "Settings";
    static constexpr const char* kWindowSizeSection = "Window size";

    // A value that is not a number, or a number that an int cannot hold,
    // keeps the current one (the default when nothing was read before).
    static int ReadInt(QSettings& store, const char* key, int current);
    // Any number but 0 is true; a value that is not a number keeps the
    // current one.
    static bool ReadBool(QSettings& store, const char* key, bool current);
    // Only a stored 1 is true; any other number, or a value that is no
    // number, is false.
    static bool ReadExactlyOne(QSettings& store, const char* key, bool current);
    static QString ReadString(QSettings& store, const char* key, const QString& current);

    // Whether the files the user's store would read are regular files, or
    // absent. Reading a FIFO waits for a writer forever and a device may never
    // end, so the store is used only when this holds; each file that is
    // neither is named in one line on standard error.
    static bool FilesAreReadable();

    static void WriteInt(QSettings& store, const char* key, int value);
    // A flag is stored as the number 1 or 0.
    static void WriteBool(QSettings& store, const char* key, bool value);
    static void WriteString(QSettings& store, const char* key, const QString& value);

    // One stored key and the field of a settings class that holds it: the
    // classes keep tables of these, so each key is written once for loading
    // and saving.
    template<class Owner, class Value> struct Key
    {
        const char* name;
        Value Owner::*member;
    };
};
