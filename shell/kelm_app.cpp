#include "shell/kelm_app.h"
#include "document/path_text.h"

#include "directory/dir_comparison.h"
#include "document/diff_doc.h"
#include "document/input_check.h"
#include "document/settings_store.h"
#include "shell/main_frame.h"
#include "shell/window_frame_seam.h"
#include "shell/window_user_seam.h"

#include <QApplication>

CKelmApp::CKelmApp()
    : store_(OpenStore(spareStoreFolder_)), userSeam_(std::make_unique<CWindowUserSeam>(nullptr)),
      frameSeam_(std::make_unique<CWindowFrameSeam>()),
      doc_(std::make_unique<CDiffDoc>(*userSeam_)),
      dirs_(std::make_unique<CDirComparison>(*userSeam_))
{
    doc_->settings.Load(*store_);
    frame_ = std::make_unique<CMainFrame>(*doc_, *dirs_, *frameSeam_, *store_);
    userSeam_->SetParent(frame_.get());
    frameSeam_->SetOwner(frame_.get());
}

CKelmApp::~CKelmApp()
{
    frame_.reset();
    doc_->settings.Save(*store_);
    store_->sync();
}

std::unique_ptr<QSettings> CKelmApp::OpenStore(std::unique_ptr<QTemporaryDir>& spare)
{
    if (CSettingsStore::FilesAreReadable()) {
        return std::make_unique<QSettings>(QLatin1String(CSettingsStore::kCompany),
                                           QLatin1String(CSettingsStore::kApplication));
    }
    spare = std::make_unique<QTemporaryDir>();
    return std::make_unique<QSettings>(spare->filePath(QStringLiteral("Varnel.conf")),
                                       QSettings::IniFormat);
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
    // The report checks its inputs the same way, so a path gets the same
    // message in the window and on standard error.
    const CInputCheck inputs = CInputCheck::Check(first, second);
    if (inputs.kind() == CInputCheck::Unusable) {
        seam.ShowMessage(PathText(inputs.message()));
        return;
    }
    if (inputs.kind() == CInputCheck::Directories)
        frame.CompareDirectories(first, second);
    else
        frame.CompareFiles(first, second);
}
