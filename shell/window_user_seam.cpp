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

void CWindowUserSeam::RunComparison(CWorker& worker)
{
    CProgressDlg dialog(worker, sink_, parent_);
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

void CWindowUserSeam::RunClassification(CWorker& worker)
{
    CDirProgressDlg dialog(worker, sink_, parent_);
    dialog.exec();
}
