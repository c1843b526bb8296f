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

CKelmApp::CKelmApp(CCommandLine options)
    : options_(std::move(options)), store_(OpenStore(spareStoreFolder_)),
      userSeam_(std::make_unique<CWindowUserSeam>(nullptr)),
      frameSeam_(std::make_unique<CWindowFrameSeam>()),
      doc_(std::make_unique<CDiffDoc>(*userSeam_)),
      dirs_(std::make_unique<CDirComparison>(*userSeam_))
{
    doc_->settings.Load(*store_);
    storedSettings_ = doc_->settings;
    options_.ApplyOverrides(doc_->settings);
    startSettings_ = doc_->settings;
    frame_ = std::make_unique<CMainFrame>(*doc_, *dirs_, *frameSeam_, *store_);
    userSeam_->SetParent(frame_.get());
    frameSeam_->SetOwner(frame_.get());
}

CKelmApp::~CKelmApp()
{
    frame_.reset();
    SettingsToStore(storedSettings_, startSettings_, doc_->settings).Save(*store_);
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

void CKelmApp::Start()
{
    frame_->ShowWithStoredPlacement();
    QApplication::processEvents();
    CompareFromCommandLine(*frame_, *doc_, *frameSeam_, options_.paths);
}

int CKelmApp::Run()
{
    Start();
    return QApplication::exec();
}

void CKelmApp::CompareFromCommandLine(CMainFrame& frame, CDiffDoc& doc, CFrameSeam& seam,
                                      const std::vector<std::string>& paths)
{
    if (paths.size() < 2)
        return;
    // The report checks its inputs the same way, so a path gets the same
    // message in the window and on standard error.
    const CInputCheck inputs = CInputCheck::Check(paths[0], paths[1]);
    if (inputs.kind() == CInputCheck::Unusable) {
        seam.ShowMessage(PathText(inputs.message()));
        return;
    }
    if (inputs.kind() == CInputCheck::Directories) {
        frame.CompareDirectories(inputs.first(), inputs.second());
        return;
    }
    // Only what the user named here may be a pipe, a device or standard input.
    doc.AcceptStreamInputs(inputs.first(), inputs.second());
    frame.CompareFiles(inputs.first(), inputs.second());
}

ComparisonSettings CKelmApp::SettingsToStore(const ComparisonSettings& stored,
                                             const ComparisonSettings& started,
                                             const ComparisonSettings& now)
{
    ComparisonSettings kept = stored;
    const auto keep = [](auto& target, const auto& start, const auto& value) {
        if (value != start)
            target = value;
    };
    keep(kept.txtBlockSize, started.txtBlockSize, now.txtBlockSize);
    keep(kept.binBlockSize, started.binBlockSize, now.binBlockSize);
    keep(kept.txtLimit, started.txtLimit, now.txtLimit);
    keep(kept.binLimit, started.binLimit, now.binLimit);
    keep(kept.ignoreCase, started.ignoreCase, now.ignoreCase);
    keep(kept.ignoreBlanks, started.ignoreBlanks, now.ignoreBlanks);
    keep(kept.exclude, started.exclude, now.exclude);
    keep(kept.skipVersionControl, started.skipVersionControl, now.skipVersionControl);
    keep(kept.ignoreNameCase, started.ignoreNameCase, now.ignoreNameCase);
    return kept;
}
