#pragma once

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
    CKelmApp();
    ~CKelmApp();
    CKelmApp(const CKelmApp&) = delete;
    CKelmApp& operator=(const CKelmApp&) = delete;

    // Shows the window, compares the first two paths if there are two, and
    // returns when the window has closed.
    int Run(const std::vector<std::string>& paths);

    // Checks two paths named on the command line and compares them as files
    // or as directories; fewer than two paths compare nothing.
    static void CompareFromCommandLine(CMainFrame& frame, CFrameSeam& seam,
                                       const std::vector<std::string>& paths);

private:
    // The user's store; when its files cannot be read (one is a FIFO, say),
    // a store of this run only, in a temporary folder, so that the window
    // still works and the user's files are left as they are.
    static std::unique_ptr<QSettings> OpenStore(std::unique_ptr<QTemporaryDir>& spare);

    std::unique_ptr<QTemporaryDir> spareStoreFolder_;
    std::unique_ptr<QSettings> store_;
    std::unique_ptr<CWindowUserSeam> userSeam_;
    std::unique_ptr<CWindowFrameSeam> frameSeam_;
    std::unique_ptr<CDiffDoc> doc_;
    std::unique_ptr<CDirComparison> dirs_;
    std::unique_ptr<CMainFrame> frame_;
};
