#include "document/diff_doc.h"
#include "document/path_text.h"

#include "document/files_are_equal.h"
#include "document/regular_file.h"
#include "document/user_seam.h"
#include "engine/bin_buf.h"
#include "engine/diff_algorithm5.h"
#include "engine/text_buf.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>

#include <algorithm>
#include <climits>

namespace {

const char* const kCompany = "Orvane";
const char* const kApplication = "Varnel";
const char* const kSettingsSection = "Settings";

// Deciding text or binary reads a file in chunks of this size, so a control
// byte near the start ends the scan early.
constexpr std::size_t kScanChunk = 65535;

QString FailedToRead(const std::string& path)
{
    return QStringLiteral("Failed to read %1!\n").arg(PathText(path));
}

QString IsEmptyMessage(const std::string& path)
{
    return QStringLiteral("%1 is empty!").arg(PathText(path));
}

QString SameResultMessage(bool equalBytes)
{
    return equalBytes ? QStringLiteral("The files are identical!")
                      : QStringLiteral(
                            "The files are not identical,\nbut contains no relevant differences!");
}

// A stored value that is missing or not a number keeps the current one.
int ReadInt(QSettings& store, const char* key, int current)
{
    bool ok = false;
    const int value = store.value(QLatin1String(key), current).toInt(&ok);
    return ok ? value : current;
}

bool ReadBool(QSettings& store, const char* key, bool current)
{
    return ReadInt(store, key, current ? 1 : 0) != 0;
}

// Whether the bytes hold a control byte other than tab, LF and CR. The whole
// chunk is tested without an early exit, which lets the compiler test many
// bytes at once; a text file is read to its end anyway.
bool HoldsControlByte(const char* bytes, std::size_t count)
{
    unsigned char found = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        found |= static_cast<unsigned char>((byte < 32) & (byte != '\t') & (byte != '\n') &
                                            (byte != '\r'));
    }
    return found != 0;
}

int WidestLine(const CDiffBuf* buf, int tabSize)
{
    if (!buf || buf->type() == CDiffBuf::Binary)
        return 1;
    return static_cast<const CTextBuf*>(buf)->GetMaxWidth(tabSize);
}

// The pieces of path between its separators; the last one is the file name.
std::vector<std::string> SplitAtSeparators(const std::string& path)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t slash = path.find('/'); slash != std::string::npos;
         slash = path.find('/', start)) {
        pieces.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    pieces.push_back(path.substr(start));
    return pieces;
}

} // namespace

CDiffDoc::CDiffDoc(CUserSeam& seam, QObject* parent) : QObject(parent), seam_(seam) {}

CDiffDoc::~CDiffDoc()
{
    ClearFiles();
}

void CDiffDoc::LoadSettings(QSettings& store)
{
    store.beginGroup(QLatin1String(kSettingsSection));
    txtBlockSize = ReadInt(store, "TxtBlockSize", txtBlockSize);
    binBlockSize = ReadInt(store, "BinBlockSize", binBlockSize);
    txtLimit = ReadInt(store, "TxtLimit", txtLimit);
    binLimit = ReadInt(store, "BinLimit", binLimit);
    ignoreCaseSetting = ReadBool(store, "IgnoreCase", ignoreCaseSetting);
    ignoreBlanksSetting = ReadBool(store, "IgnoreBlanks", ignoreBlanksSetting);
    store.endGroup();
    CorrectSettings();
}

void CDiffDoc::SaveSettings(QSettings& store) const
{
    store.beginGroup(QLatin1String(kSettingsSection));
    store.setValue(QLatin1String("TxtBlockSize"), txtBlockSize);
    store.setValue(QLatin1String("BinBlockSize"), binBlockSize);
    store.setValue(QLatin1String("TxtLimit"), txtLimit);
    store.setValue(QLatin1String("BinLimit"), binLimit);
    store.setValue(QLatin1String("IgnoreCase"), ignoreCaseSetting ? 1 : 0);
    store.setValue(QLatin1String("IgnoreBlanks"), ignoreBlanksSetting ? 1 : 0);
    store.endGroup();
}

void CDiffDoc::LoadSettings()
{
    QSettings store{QLatin1String(kCompany), QLatin1String(kApplication)};
    LoadSettings(store);
}

void CDiffDoc::SaveSettings() const
{
    QSettings store{QLatin1String(kCompany), QLatin1String(kApplication)};
    SaveSettings(store);
}

// An edited store can hold values no comparison can use: a block size of 0
// would accept empty runs without end, and a negative limit means no search.
void CDiffDoc::CorrectSettings()
{
    txtBlockSize = std::max(txtBlockSize, 1);
    binBlockSize = std::max(binBlockSize, 1);
    txtLimit = std::max(txtLimit, 0);
    binLimit = std::max(binLimit, 0);
}

void CDiffDoc::ClearResult()
{
    firstList_.RemoveAll(false);
    secondList_.RemoveAll(false);
    allList_.RemoveAll(true);
}

void CDiffDoc::ClearFiles()
{
    ClearResult();
    firstBuf_.reset();
    secondBuf_.reset();
}

void CDiffDoc::ApplyTextOptions()
{
    for (CDiffBuf* buf : {firstBuf_.get(), secondBuf_.get()}) {
        auto* text = static_cast<CTextBuf*>(buf);
        text->ignoreCase = ignoreCaseSetting;
        text->ignoreBlanks = ignoreBlanksSetting;
    }
}

void CDiffDoc::Recompare()
{
    if (!firstBuf_ || !secondBuf_)
        return;
    if (firstBuf_->type() == CDiffBuf::Binary) {
        RunAlgorithm(binBlockSize, binLimit);
    } else {
        ApplyTextOptions();
        RunAlgorithm(txtBlockSize, txtLimit);
    }
    emit ResultChanged();
}

int CDiffDoc::GetMaxLineWidth(int tabSize) const
{
    return std::max(WidestLine(firstBuf_.get(), tabSize), WidestLine(secondBuf_.get(), tabSize));
}

std::string CDiffDoc::ShortenPath(const std::string& path, const std::string& otherPath)
{
    std::vector<std::string> folders = SplitAtSeparators(path);
    const std::string fileName = folders.back();
    folders.pop_back();
    std::vector<std::string> otherFolders = SplitAtSeparators(otherPath);
    otherFolders.pop_back();

    auto first = folders.cbegin();
    auto last = folders.cend();
    auto otherFirst = otherFolders.cbegin();
    auto otherLast = otherFolders.cend();
    bool leadingCut = false;
    while (first != last && otherFirst != otherLast && *first == *otherFirst) {
        ++first;
        ++otherFirst;
        leadingCut = true;
    }
    bool trailingCut = false;
    while (first != last && otherFirst != otherLast && *(last - 1) == *(otherLast - 1)) {
        --last;
        --otherLast;
        trailingCut = true;
    }

    std::string shortened = leadingCut ? ".../" : "";
    for (auto folder = first; folder != last; ++folder)
        shortened += *folder + '/';
    if (trailingCut)
        shortened += ".../";
    return shortened + fileName;
}

bool CDiffDoc::RunFileComparison(const std::string& path1, const std::string& path2)
{
    ClearFiles();
    return CompareFromDisk(path1, path2);
}

bool CDiffDoc::ReloadFiles()
{
    if (!firstBuf_ || !secondBuf_)
        return false;
    const std::string path1 = firstBuf_->path();
    const std::string path2 = secondBuf_->path();
    ClearFiles();
    return CompareFromDisk(path1, path2);
}

bool CDiffDoc::OpenSingleFile(const std::string& path)
{
    ClearFiles();
    firstBuf_ = LoadEither(path);
    if (firstBuf_) {
        auto* whole =
            new DIFF_BLOCK(DIFF_BLOCK::MakeCommon(NextBlockId(), firstBuf_->GetCount(), 0, 0));
        firstList_.AddTail(whole);
        allList_.AddTail(whole);
    }
    emit ResultChanged();
    if (!firstBuf_) {
        seam_.ShowMessage(FailedToRead(path));
        return false;
    }
    return true;
}

// Reads and compares the pair, then tells the views and the user. The failure
// is shown only after the views were told, so they show no stale result
// behind the message.
bool CDiffDoc::CompareFromDisk(const std::string& path1, const std::string& path2)
{
    const QString failure = LoadAndCompare(path1, path2);
    emit ResultChanged();
    if (!failure.isEmpty()) {
        seam_.ShowMessage(failure);
        return false;
    }
    // A result of at most one block leaves nothing to look at, so the user is
    // told whether the bytes differ at all.
    if (allList_.GetCount() <= 1)
        seam_.ShowMessage(SameResultMessage(FilesAreEqual(path1, path2)));
    return true;
}

// Loads both files as text or both as binary and compares them. Returns the
// message for the first file that cannot be read; the second is not tried
// after the first failed.
QString CDiffDoc::LoadAndCompare(const std::string& path1, const std::string& path2)
{
    const bool binary = IsBinaryFile(path1) || IsBinaryFile(path2);
    firstBuf_ = binary ? LoadBinary(path1) : LoadText(path1);
    if (!firstBuf_)
        return FailedToRead(path1);
    secondBuf_ = binary ? LoadBinary(path2) : LoadText(path2);
    if (!secondBuf_)
        return FailedToRead(path2);
    if (binary)
        RunAlgorithm(binBlockSize, binLimit);
    else
        RunAlgorithm(txtBlockSize, txtLimit);
    return {};
}

std::unique_ptr<CDiffBuf> CDiffDoc::LoadBinary(const std::string& path) const
{
    auto buf = std::make_unique<CBinBuf>(path);
    if (!buf->Open())
        return nullptr;
    return buf;
}

// An empty file is still compared, as a file of no lines, but the user is told
// at once, since an empty file is often a mistake.
std::unique_ptr<CDiffBuf> CDiffDoc::LoadText(const std::string& path)
{
    std::optional<std::vector<char>> bytes = ReadWholeFile(path);
    if (!bytes)
        return nullptr;
    if (bytes->empty())
        seam_.ShowMessage(IsEmptyMessage(path));
    auto buf = std::make_unique<CTextBuf>(path, ignoreCaseSetting, ignoreBlanksSetting);
    if (!buf->SetData(std::move(*bytes)))
        return nullptr;
    return buf;
}

std::unique_ptr<CDiffBuf> CDiffDoc::LoadEither(const std::string& path)
{
    return IsBinaryFile(path) ? LoadBinary(path) : LoadText(path);
}

// Empties the result first: the run appends to the list of all blocks, which
// must start empty.
void CDiffDoc::RunAlgorithm(int blockSize, int limit)
{
    ClearResult();
    if (!firstBuf_ || !secondBuf_)
        return;
    CDiffAlgorithm5 algorithm;
    algorithm.Init(seam_.ProgressSink(), firstBuf_.get(), secondBuf_.get(), std::max(blockSize, 1),
                   &allList_, std::max(limit, 0));
    comparing_ = true;
    seam_.RunComparison(algorithm);
    // However the seam waited, the worker must be gone before the result is
    // post-processed.
    algorithm.Wait();
    comparing_ = false;
    CBlockList::FinishResult(allList_, firstList_, secondList_);
}

bool CDiffDoc::IsBinaryFile(const std::string& path)
{
    CRegularFile file;
    if (!file.Open(path))
        return false;
    std::vector<char> chunk(kScanChunk);
    long long scanned = 0;
    while (scanned < file.Size()) {
        const long long got = file.Read(chunk.data(), chunk.size());
        if (got <= 0)
            break;
        if (HoldsControlByte(chunk.data(), static_cast<std::size_t>(got)))
            return true;
        scanned += got;
    }
    return false;
}

std::optional<std::vector<char>> CDiffDoc::ReadWholeFile(const std::string& path)
{
    CRegularFile file;
    // Counts of bytes and lines are 32-bit throughout the comparison.
    if (!file.Open(path) || file.Size() > INT_MAX)
        return std::nullopt;
    std::vector<char> bytes(static_cast<std::size_t>(file.Size()));
    if (file.Read(bytes.data(), bytes.size()) != file.Size())
        return std::nullopt;
    return bytes;
}
