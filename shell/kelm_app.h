#pragma once

#include "document/comparison_settings.h"
#include "report/command_line.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

class CDiffDoc;
class CDirComparison;
class CFrameSeam;
class CMainFrame;
class CWindowFrameSeam;
class CWindowUserSeam;

// The windowed program: the settings store, the document, the directory
// result and the main window, created at start-up and living until the
// window closes.
class CKelmApp
{
public:
    // options: the command line, read as the report reads it. Its comparison
    // options count for this window only: they are applied over the stored
    // settings and never written back.
    explicit CKelmApp(CCommandLine options);
    ~CKelmApp();
    CKelmApp(const CKelmApp&) = delete;
    CKelmApp& operator=(const CKelmApp&) = delete;

    // Shows the window and compares the first two paths if there are two.
    void Start();
    // Start, then returns when the window has closed.
    int Run();

    // Checks two paths named on the command line and compares them as files
    // or as directories; fewer than two paths compare nothing.
    static void CompareFromCommandLine(CMainFrame& frame, CDiffDoc& doc, CFrameSeam& seam,
                                       const std::vector<std::string>& paths);

    // The comparison settings written back when the window closes: what was
    // stored, except for each value the user changed in the window since it
    // started with started (the stored values with the command line's
    // options applied).
    static ComparisonSettings SettingsToStore(const ComparisonSettings& stored,
                                              const ComparisonSettings& started,
                                              const ComparisonSettings& now);

private:
    CCommandLine options_;
    // The user's store; when its files cannot be read (one is a FIFO, say),
    // a store of this run only, in a temporary folder, so that the window
    // still works and the user's files are left as they are.
    static std::unique_ptr<QSettings> OpenStore(std::unique_ptr<QTemporaryDir>& spare);

    std::unique_ptr<QTemporaryDir> spareStoreFolder_;
    std::unique_ptr<QSettings> store_;
    ComparisonSettings storedSettings_;
    ComparisonSettings startSettings_;
    std::unique_ptr<CWindowUserSeam> userSeam_;
    std::unique_ptr<CWindowFrameSeam> frameSeam_;
    std::unique_ptr<CDiffDoc> doc_;
    std::unique_ptr<CDirComparison> dirs_;
    std::unique_ptr<CMainFrame> frame_;
};
