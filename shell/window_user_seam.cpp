#include "shell/window_user_seam.h"

#include "dialogs/dir_progress_dlg.h"

#include <QApplication>
#include <QMessageBox>

namespace {

const char* const kTitle = "Varnel";

} // namespace

CWindowUserSeam::CWindowUserSeam(QWidget* parent) : parent_(parent) {}

CWindowUserSeam::~CWindowUserSeam()
{
    SetBusy(false);
}

void CWindowUserSeam::ShowMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QLatin1String(kTitle), text, QMessageBox::Ok, parent_);
    box.exec();
}

CProgressSink* CWindowUserSeam::ProgressSink()
{
    return &sink_;
}

void CWindowUserSeam::RunComparison(CDiffAlgorithm5& algorithm)
{
    CProgressDlg dialog(algorithm, sink_, parent_);
    dialog.exec();
}

void CWindowUserSeam::SetBusy(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CWindowUserSeam::RunClassification(CDirClassifier& classifier)
{
    CDirProgressDlg dialog(classifier, parent_);
    dialog.exec();
}
