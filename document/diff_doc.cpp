#include "document/diff_doc.h"
#include "document/path_text.h"

#include "document/input_check.h"
#include "document/input_reader.h"
#include "document/regular_file.h"
#include "document/user_seam.h"
#include "engine/bin_buf.h"
#include "engine/diff_algorithm5.h"
#include "engine/text_buf.h"
#include "engine/worker.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <stop_token>

namespace {

// Content is tested for control bytes in chunks of this size, so a control
// byte near the start ends the scan early.
constexpr std::size_t kScanChunk = 65535;

QString FailedToRead(const std::string& path)
{
    return PathText(CInputCheck::FailedToRead(path) + "\n");
}

// Content the buffers cannot hold: more lines than the 32-bit counts allow.
QString TooLarge(const std::string& path, std::string& reason)
{
    reason = std::strerror(EFBIG);
    return FailedToRead(path);
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

// Whether the bytes hold a control byte other than tab, LF and CR. The whole
// chunk is tested without an early exit, which lets the compiler test many
// bytes at once; text content is scanned to its end anyway.
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

} // namespace

CDiffDoc::CDiffDoc(CUserSeam& seam, QObject* parent) : QObject(parent), seam_(seam) {}

CDiffDoc::~CDiffDoc()
{
    ClearFiles();
}

void CDiffDoc::ClearResult()
{
    result_ = CDiffResult();
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
        text->ignoreCase = settings.ignoreCase;
        text->ignoreBlanks = settings.ignoreBlanks;
    }
}

void CDiffDoc::Recompare()
{
    if (!firstBuf_ || !secondBuf_)
        return;
    if (firstBuf_->type() == CDiffBuf::Binary) {
        RunAlgorithm(settings.binBlockSize, settings.binLimit);
    } else {
        ApplyTextOptions();
        RunAlgorithm(settings.txtBlockSize, settings.txtLimit);
    }
    emit ResultChanged();
}

int CDiffDoc::GetMaxLineWidth(int tabSize) const
{
    return std::max(WidestLine(firstBuf_.get(), tabSize), WidestLine(secondBuf_.get(), tabSize));
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
    KeptBytes kept1 = KeepStream(firstBuf_.get());
    KeptBytes kept2 = KeepStream(secondBuf_.get());
    ClearFiles();
    return CompareFromDisk(path1, path2, std::move(kept1), std::move(kept2));
}

void CDiffDoc::AcceptStreamInputs(const std::string& path1, const std::string& path2)
{
    streamInputs_ = {path1, path2};
}

bool CDiffDoc::IsAcceptedStream(const std::string& path) const
{
    return std::find(streamInputs_.begin(), streamInputs_.end(), path) != streamInputs_.end() &&
           CInputReader::IsStream(path);
}

CDiffDoc::KeptBytes CDiffDoc::KeepStream(const CDiffBuf* buf) const
{
    if (!IsAcceptedStream(buf->path()))
        return std::nullopt;
    return std::vector<char>(buf->data(), buf->data() + buf->size());
}

std::optional<std::vector<char>> CDiffDoc::ReadInput(const std::string& path)
{
    return IsAcceptedStream(path) ? CInputReader::Read(path, &readFailure_)
                                  : CRegularFile::ReadWhole(path, &readFailure_);
}

bool CDiffDoc::OpenSingleFile(const std::string& path)
{
    ClearFiles();
    readFailure_.clear();
    if (std::optional<std::vector<char>> bytes = ReadInput(path)) {
        const bool binary = IsBinaryContent(*bytes);
        firstBuf_ = LoadEither(path, std::move(*bytes), binary);
    }
    if (firstBuf_)
        result_ = CDiffResult::WholeFile(firstBuf_->GetCount());
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
bool CDiffDoc::CompareFromDisk(const std::string& path1, const std::string& path2,
                               KeptBytes kept1, KeptBytes kept2)
{
    const QString failure = LoadAndCompare(path1, path2, std::move(kept1), std::move(kept2));
    emit ResultChanged();
    if (!failure.isEmpty()) {
        seam_.ShowMessage(failure);
        return false;
    }
    // A result of at most one block leaves nothing to look at, so the user is
    // told whether the bytes differ at all.
    if (allList().GetCount() <= 1)
        seam_.ShowMessage(SameResultMessage(LoadedBytesAreEqual()));
    return true;
}

// Reads each file once and compares the bytes read: both as text or both as
// binary. Returns the message for the first file that cannot be read; the
// second is not read after the first failed. A second file that cannot be
// read counts as text, so an empty first file is still told about first.
QString CDiffDoc::LoadAndCompare(const std::string& path1, const std::string& path2,
                                 KeptBytes kept1, KeptBytes kept2)
{
    readFailure_.clear();
    std::optional<std::vector<char>> bytes1 = kept1 ? std::move(kept1) : ReadInput(path1);
    if (!bytes1)
        return FailedToRead(path1);
    std::optional<std::vector<char>> bytes2 = kept2 ? std::move(kept2) : ReadInput(path2);
    const bool binary = IsBinaryContent(*bytes1) || (bytes2 && IsBinaryContent(*bytes2));
    firstBuf_ = LoadEither(path1, std::move(*bytes1), binary);
    if (!firstBuf_)
        return TooLarge(path1, readFailure_);
    if (!bytes2)
        return FailedToRead(path2);
    secondBuf_ = LoadEither(path2, std::move(*bytes2), binary);
    if (!secondBuf_)
        return TooLarge(path2, readFailure_);
    if (binary)
        RunAlgorithm(settings.binBlockSize, settings.binLimit);
    else
        RunAlgorithm(settings.txtBlockSize, settings.txtLimit);
    return {};
}

std::unique_ptr<CDiffBuf> CDiffDoc::LoadBinary(const std::string& path,
                                               std::vector<char> bytes) const
{
    auto buf = std::make_unique<CBinBuf>(path);
    if (!buf->SetData(std::move(bytes)))
        return nullptr;
    return buf;
}

// An empty file is still compared, as a file of no lines, but the user is told
// at once, since an empty file is often a mistake. A device is not told about:
// /dev/null, which git difftool gives for the missing side of an added or
// deleted file, is empty by nature.
std::unique_ptr<CDiffBuf> CDiffDoc::LoadText(const std::string& path, std::vector<char> bytes)
{
    if (bytes.empty() && !CInputReader::IsDevice(path))
        seam_.ShowMessage(IsEmptyMessage(path));
    auto buf = std::make_unique<CTextBuf>(path, settings.ignoreCase, settings.ignoreBlanks);
    if (!buf->SetData(std::move(bytes)))
        return nullptr;
    return buf;
}

std::unique_ptr<CDiffBuf> CDiffDoc::LoadEither(const std::string& path, std::vector<char> bytes,
                                               bool binary)
{
    return binary ? LoadBinary(path, std::move(bytes)) : LoadText(path, std::move(bytes));
}

// The former result is dropped before the run, so that nothing shows it while
// the buffers are compared again. A run that was never started leaves the
// result empty.
void CDiffDoc::RunAlgorithm(int blockSize, int limit)
{
    ClearResult();
    if (!firstBuf_ || !secondBuf_)
        return;
    const CDiffAlgorithm5 algorithm(blockSize, limit);
    CProgressSink* sink = seam_.ProgressSink();
    CDiffResult result;
    CWorker worker([&](std::stop_token token) {
        std::atomic<bool> stop{false};
        const std::stop_callback onStop(token, [&stop] { stop = true; });
        result = algorithm.Run(*firstBuf_, *secondBuf_, stop, sink);
    });
    comparing_ = true;
    seam_.RunComparison(worker);
    // However the seam waited, the worker must be gone before its result is taken.
    worker.Wait();
    comparing_ = false;
    result_ = std::move(result);
}

bool CDiffDoc::IsBinaryContent(const std::vector<char>& bytes)
{
    for (std::size_t at = 0; at < bytes.size(); at += kScanChunk) {
        const std::size_t count = std::min(kScanChunk, bytes.size() - at);
        if (HoldsControlByte(bytes.data() + at, count))
            return true;
    }
    return false;
}

bool CDiffDoc::LoadedBytesAreEqual() const
{
    if (!firstBuf_ || !secondBuf_ || firstBuf_->size() != secondBuf_->size())
        return false;
    const auto size = static_cast<std::size_t>(firstBuf_->size());
    return size == 0 || std::memcmp(firstBuf_->data(), secondBuf_->data(), size) == 0;
}
