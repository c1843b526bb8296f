#pragma once

#include <string>

class QSettings;

// The settings that steer a file comparison, as one value: the document
// compares with one, the report starts from the stored one and overrides
// fields for a single run, and the Properties dialog edits a copy.
struct ComparisonSettings
{
    // The shortest runs of equal lines (text) or bytes (binary) that count as
    // common content.
    int txtBlockSize = 2;
    int binBlockSize = 10;
    // How far from the start of two unmatched stretches a match is searched.
    int txtLimit = 1000;
    int binLimit = 1000;
    bool ignoreCase = false;
    bool ignoreBlanks = false;
    // Directories: name patterns of entries left out of both trees, separated
    // by ";" (CNameFilter); the folders of version control systems left out
    // too; and names paired with their letter case folded, for trees copied
    // from file systems that fold it. Off, names pair byte for byte, as Linux
    // tells them apart.
    std::string exclude;
    bool skipVersionControl = false;
    bool ignoreNameCase = false;

    // The "Settings" section of the store. A key the store lacks, or a value
    // that is no number, keeps the field's current value; a flag is true for
    // any number but 0. The loaded values are corrected.
    void Load(QSettings& store);
    void Save(QSettings& store) const;
    // Load on the user's own store; nothing is read when its files are not
    // regular files (CSettingsStore::FilesAreReadable).
    void Load();

    // An edited store can hold values no comparison can use: a block size
    // below 1 becomes 1, a negative limit 0.
    void Correct();

    friend bool operator==(const ComparisonSettings&, const ComparisonSettings&) = default;
};
