// Times one paint of a comparison pane and of the overview at the top, the
// middle and the end of a large comparison, offscreen. A paint must cost what
// the visible rows cost, never what the file costs, so the three positions
// should take about the same time.
//
// The panes draw as the window shows them by default, with changes inside
// lines and line numbers; --plain 1 draws them without either.
//
//   paint_bench [--lines N] [--every K] [--bytes N] [--runs R] [--plain 1]

#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "views/appearance.h"
#include "views/diff_view.h"
#include "views/over_view.h"
#include "views/pane_host.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct OPTIONS
{
    int lines = 1000000;
    int every = 300; // one changed line in so many: about 10 000 blocks in all
    int bytes = 4 * 1024 * 1024;
    int runs = 30;
    bool plain = false;
};

OPTIONS ParseOptions(int argc, char** argv)
{
    OPTIONS options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--lines"))
            options.lines = value;
        else if (!std::strcmp(argv[i], "--every"))
            options.every = std::max(value, 2);
        else if (!std::strcmp(argv[i], "--bytes"))
            options.bytes = value;
        else if (!std::strcmp(argv[i], "--runs"))
            options.runs = std::max(value, 1);
        else if (!std::strcmp(argv[i], "--plain"))
            options.plain = value != 0;
    }
    return options;
}

// The overview asks the comparison panes what they show.
class BenchHost : public CPaneHost
{
public:
    void InvalidateOverView() override {}
    bool GetDiffViewRange(int sideIndex, double* top, double* bottom) const override
    {
        for (const CDiffView* view : views) {
            if (view->sideIndex == sideIndex) {
                view->GetVisibleRange(top, bottom);
                return true;
            }
        }
        return false;
    }
    void SetDiffViewPosition(int, double) override {}
    int GetDirSort() const override { return 0; }
    const std::string& CurrentDir() const override { return none_; }
    void SetCurrentDir(const std::string&) override {}
    void CompareFiles(const std::string&, const std::string&) override {}
    void ShowSingleFile(const std::string&) override {}
    void ClearOtherTreeSelections(const QWidget*) override {}
    void FollowListSelection(const QWidget*, const CDirNode*) override {}

    std::vector<const CDiffView*> views;

private:
    std::string none_;
};

void WriteTextPair(const std::string& oldPath, const std::string& newPath, const OPTIONS& o)
{
    std::ofstream old(oldPath, std::ios::binary);
    std::ofstream now(newPath, std::ios::binary);
    for (int i = 0; i < o.lines; ++i) {
        const std::string line = "line " + std::to_string(i) + " of the benchmark text\tend\n";
        old << line;
        now << (i % o.every == o.every / 2 ? "changed " + std::to_string(i) + "\n" : line);
    }
}

void WriteBinaryPair(const std::string& oldPath, const std::string& newPath, const OPTIONS& o)
{
    std::string old(static_cast<std::size_t>(o.bytes), '\0');
    unsigned state = 12345;
    for (char& c : old) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    std::string now = old;
    // A changed byte every 400 bytes: about 10 000 differences in 4 MB.
    for (std::size_t i = 200; i < now.size(); i += 400)
        now[i] = static_cast<char>(~now[i]);
    std::ofstream(oldPath, std::ios::binary) << old;
    std::ofstream(newPath, std::ios::binary) << now;
}

// Compares the pair through the document and says how long that took.
bool Compare(CDiffDoc& doc, const std::string& oldPath, const std::string& newPath)
{
    const auto start = std::chrono::steady_clock::now();
    if (!doc.RunFileComparison(oldPath, newPath)) {
        std::fprintf(stderr, "paint_bench: comparing %s failed\n", oldPath.c_str());
        return false;
    }
    const auto end = std::chrono::steady_clock::now();
    std::printf("(comparison %.0f ms)\n",
                std::chrono::duration<double, std::milli>(end - start).count());
    return true;
}

double MedianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The median time of painting the widget into an image, in milliseconds.
double TimePaint(QWidget& widget, int runs)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        widget.render(&image);
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return MedianMs(samples);
}

void MeasureLayout(CDiffDoc& doc, const CAppearance& appearance, const char* what, bool composite,
                   const OPTIONS& o)
{
    BenchHost host;
    CDiffView first(doc, appearance, host);
    CDiffView second(doc, appearance, host);
    COverView overview(doc, appearance, host);
    first.composite = composite;
    second.sideIndex = 1;
    for (CDiffView* view : {&first, &second}) {
        view->showLineChanges = !o.plain;
        view->showLineNumbers = !o.plain;
    }
    overview.composite = composite;
    host.views = {&first, &second};
    for (QWidget* w : std::initializer_list<QWidget*>{&first, &second})
        w->resize(1000, 800);
    overview.resize(composite ? 40 : 90, 800);
    first.OnUpdate(UpdateHint::FileResultChanged | UpdateHint::AppearanceChanged);
    second.OnUpdate(UpdateHint::FileResultChanged | UpdateHint::AppearanceChanged);

    const CBlockList& list = composite ? doc.allList() : doc.firstList();
    std::printf("%-24s %9lld %s %7d blocks\n", what,
                composite ? doc.allList().total() : doc.firstBuf()->GetCount(),
                doc.firstBuf()->type() == CDiffBuf::Binary ? "bytes" : "lines", list.GetCount());
    for (double at : {0.0, 0.5, 1.0}) {
        first.SetPosition(at);
        second.SetPosition(at);
        const double pane = TimePaint(first, o.runs);
        const double strip = TimePaint(overview, o.runs);
        std::printf("  %-6s pane %7.3f ms   overview %7.3f ms\n",
                    at == 0.0   ? "top"
                    : at == 0.5 ? "middle"
                                : "end",
                    pane, strip);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const OPTIONS options = ParseOptions(argc, argv);
    QTemporaryDir folder;
    const auto path = [&](const char* name) { return folder.filePath(name).toStdString(); };
    CAppearance appearance;
    CSyncUserSeam seam;
    CDiffDoc doc(seam);

    std::printf("Paint of a 1000 x 800 pane, median of %d, release build recommended%s\n\n",
                options.runs, options.plain ? ", plain" : ", changes inside lines and numbers");
    WriteTextPair(path("old.txt"), path("new.txt"), options);
    if (!Compare(doc, path("old.txt"), path("new.txt")))
        return 2;
    MeasureLayout(doc, appearance, "text, composite", true, options);
    MeasureLayout(doc, appearance, "text, side by side", false, options);

    WriteBinaryPair(path("old.bin"), path("new.bin"), options);
    if (!Compare(doc, path("old.bin"), path("new.bin")))
        return 2;
    MeasureLayout(doc, appearance, "binary, composite", true, options);
    MeasureLayout(doc, appearance, "binary, side by side", false, options);
    return 0;
}
