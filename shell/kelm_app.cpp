#include "shell/kelm_app.h"
#include "document/path_text.h"

#include "directory/dir_comparison.h"
#include "document/diff_doc.h"
#include "shell/main_frame.h"
#include "shell/window_frame_seam.h"
#include "shell/window_user_seam.h"

#include <QApplication>
#include <QFile>

#include <sys/stat.h>

CKelmApp::CKelmApp()
    : store_(QStringLiteral("Orvane"), QStringLiteral("Varnel")),
      userSeam_(std::make_unique<CWindowUserSeam>(nullptr)),
      frameSeam_(std::make_unique<CWindowFrameSeam>()),
      doc_(std::make_unique<CDiffDoc>(*userSeam_)),
      dirs_(std::make_unique<CDirComparison>(*userSeam_))
{
    doc_->LoadSettings(store_);
    frame_ = std::make_unique<CMainFrame>(*doc_, *dirs_, *frameSeam_, store_);
    userSeam_->SetParent(frame_.get());
    frameSeam_->SetOwner(frame_.get());
}

CKelmApp::~CKelmApp()
{
    frame_.reset();
    doc_->SaveSettings(store_);
    store_.sync();
}

int CKelmApp::Run(const std::vector<std::string>& paths)
{
    frame_->ShowWithStoredPlacement();
    QApplication::processEvents();
    CompareFromCommandLine(*frame_, *frameSeam_, paths);
    return QApplication::exec();
}

void CKelmApp::CompareFromCommandLine(CMainFrame& frame, CFrameSeam& seam,
                                      const std::vector<std::string>& paths)
{
    if (paths.size() < 2)
        return;
    const std::string& first = paths[0];
    const std::string& second = paths[1];
    struct stat firstStatus
    {
    };
    struct stat secondStatus
    {
    };
    if (::stat(first.c_str(), &firstStatus) != 0) {
        seam.ShowMessage(QObject::tr("Failed to access '%1'.").arg(PathText(first)));
        return;
    }
    if (::stat(second.c_str(), &secondStatus) != 0) {
        seam.ShowMessage(QObject::tr("Failed to access '%1'.").arg(PathText(second)));
        return;
    }
    const bool firstIsDir = S_ISDIR(firstStatus.st_mode);
    const bool secondIsDir = S_ISDIR(secondStatus.st_mode);
    if (firstIsDir != secondIsDir) {
        seam.ShowMessage(QObject::tr("Cannot compare a file to a directory!"));
        return;
    }
    if (firstIsDir)
        frame.CompareDirectories(first, second);
    else
        frame.CompareFiles(first, second);
}
