#pragma once

#include "document/comparison_settings.h"
#include "engine/block_list.h"
#include "engine/diff_buf.h"
#include "engine/diff_result.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CUserSeam;

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

    void ClearFiles();
    // Compares the loaded files again with the current settings, without
    // reading them; does nothing unless two files are loaded.
    void Recompare();
    // The widest line of both files, for a text view's horizontal extent; a
    // missing or binary file counts as 1.
    int GetMaxLineWidth(int tabSize) const;

    // Each of these reads each file once, compares, updates all views and
    // tells the user about unreadable, empty and identical files; false when
    // a file could not be read.
    bool RunFileComparison(const std::string& path1, const std::string& path2);
    bool ReloadFiles();
    bool OpenSingleFile(const std::string& path);

    // The two paths the user named on the command line. Each may also be a
    // pipe, a device such as /dev/null or "-" for standard input
    // (CInputReader); such a stream is read when it is first compared, and
    // ReloadFiles keeps the bytes it gave, since reading it again would give
    // nothing. Any other path, such as a file of a directory tree, is read
    // only when it is a regular file.
    void AcceptStreamInputs(const std::string& path1, const std::string& path2);
    // Why the last file that could not be read failed, in the system's words
    // ("Permission denied"): for the report, whose trouble line adds it to the
    // message. Empty after a comparison that could read both files.
    const std::string& ReadFailure() const { return readFailure_; }

    // Compares the two loaded buffers and builds the three block lists.
    void RunAlgorithm(int blockSize, int limit);

    // Content holding a control byte other than tab, LF and CR is compared
    // byte by byte; when either file of a pair is, both are.
    static bool IsBinaryContent(const std::vector<char>& bytes);
    // Whether two files are loaded and hold the same bytes: the bytes that
    // were compared, not the files as they are on disk now.
    bool LoadedBytesAreEqual() const;

    // True while a comparison worker uses the buffers; views must then draw
    // nothing from them.
    bool IsComparing() const { return comparing_; }

    CDiffBuf* firstBuf() const { return firstBuf_.get(); }
    CDiffBuf* secondBuf() const { return secondBuf_.get(); }
    // The lists of the current result; a new result gives lists of new
    // generations at the same places.
    const CBlockList& firstList() const { return result_.first(); }
    const CBlockList& secondList() const { return result_.second(); }
    const CBlockList& allList() const { return result_.all(); }

    // What the next comparison or Recompare uses; the window loads and saves
    // them, the report overrides them for one run.
    ComparisonSettings settings;

signals:
    // A new file result, also after a failed load or a file shown alone.
    void ResultChanged();

private:
    void ClearResult();
    void ApplyTextOptions();
    // Bytes already read for one side of a comparison, where it must not be
    // read again.
    using KeptBytes = std::optional<std::vector<char>>;

    bool CompareFromDisk(const std::string& path1, const std::string& path2,
                         KeptBytes kept1 = {}, KeptBytes kept2 = {});
    QString LoadAndCompare(const std::string& path1, const std::string& path2, KeptBytes kept1,
                           KeptBytes kept2);
    std::optional<std::vector<char>> ReadInput(const std::string& path);
    bool IsAcceptedStream(const std::string& path) const;
    KeptBytes KeepStream(const CDiffBuf* buf) const;
    std::unique_ptr<CDiffBuf> LoadBinary(const std::string& path, std::vector<char> bytes) const;
    std::unique_ptr<CDiffBuf> LoadText(const std::string& path, std::vector<char> bytes);
    std::unique_ptr<CDiffBuf> LoadEither(const std::string& path, std::vector<char> bytes,
                                         bool binary);

    CUserSeam& seam_;
    std::unique_ptr<CDiffBuf> firstBuf_;
    std::unique_ptr<CDiffBuf> secondBuf_;
    CDiffResult result_;
    bool comparing_ = false;
    std::vector<std::string> streamInputs_;
    std::string readFailure_;
};
