#pragma once

#include "engine/block_list.h"
#include "engine/diff_buf.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CUserSeam;
class QSettings;

// The one comparison the program holds: the buffers of the two compared files,
// the three block lists of their result and the settings that steer a file
// comparison. Whoever shows the result listens to ResultChanged; whatever the
// document has to tell or show the user goes through the seam.
class CDiffDoc : public QObject
{
    Q_OBJECT

public:
    explicit CDiffDoc(CUserSeam& seam, QObject* parent = nullptr);
    ~CDiffDoc() override;

    // The comparison settings, in the "Settings" section of the store. Loading
    // keeps a field's current value for a key the store lacks, and corrects
    // values no comparison can use.
    void LoadSettings(QSettings& store);
    void SaveSettings(QSettings& store) const;
    // The same on the user's own store.
    void LoadSettings();
    void SaveSettings() const;

    void ClearFiles();
    // Compares the loaded files again with the current settings, without
    // reading them; does nothing unless two files are loaded.
    void Recompare();
    // The widest line of both files, for a text view's horizontal extent; a
    // missing or binary file counts as 1.
    int GetMaxLineWidth(int tabSize) const;
    // The display form of path with the folders it shares with otherPath at
    // its start and at its end replaced by ".../".
    static std::string ShortenPath(const std::string& path, const std::string& otherPath);

    // Each of these loads, compares, updates all views and tells the user
    // about unreadable, empty and identical files; false when a file could
    // not be read.
    bool RunFileComparison(const std::string& path1, const std::string& path2);
    bool ReloadFiles();
    bool OpenSingleFile(const std::string& path);

    // Compares the two loaded buffers and builds the three block lists.
    void RunAlgorithm(int blockSize, int limit);

    // A file holding a control byte other than tab, LF and CR is compared byte
    // by byte. A file that cannot be read counts as text.
    static bool IsBinaryFile(const std::string& path);
    // The whole content of a regular file, or none when it cannot be read or
    // is too large for a comparison.
    static std::optional<std::vector<char>> ReadWholeFile(const std::string& path);

    // True while a comparison worker uses the buffers and the list of all
    // blocks; views must then draw nothing from them.
    bool IsComparing() const { return comparing_; }

    CDiffBuf* firstBuf() const { return firstBuf_.get(); }
    CDiffBuf* secondBuf() const { return secondBuf_.get(); }
    CBlockList& firstList() { return firstList_; }
    CBlockList& secondList() { return secondList_; }
    CBlockList& allList() { return allList_; }
    const CBlockList& firstList() const { return firstList_; }
    const CBlockList& secondList() const { return secondList_; }
    const CBlockList& allList() const { return allList_; }

    int binBlockSize = 10;
    int txtBlockSize = 2;
    int binLimit = 1000;
    int txtLimit = 1000;
    bool ignoreCaseSetting = false;
    bool ignoreBlanksSetting = false;

signals:
    // A new file result, also after a failed load or a file shown alone.
    void ResultChanged();

private:
    void ClearResult();
    void CorrectSettings();
    void ApplyTextOptions();
    bool CompareFromDisk(const std::string& path1, const std::string& path2);
    QString LoadAndCompare(const std::string& path1, const std::string& path2);
    std::unique_ptr<CDiffBuf> LoadBinary(const std::string& path) const;
    std::unique_ptr<CDiffBuf> LoadText(const std::string& path);
    std::unique_ptr<CDiffBuf> LoadEither(const std::string& path);

    CUserSeam& seam_;
    std::unique_ptr<CDiffBuf> firstBuf_;
    std::unique_ptr<CDiffBuf> secondBuf_;
    CBlockList firstList_{0};
    CBlockList secondList_{1};
    CBlockList allList_{0};
    bool comparing_ = false;
};
