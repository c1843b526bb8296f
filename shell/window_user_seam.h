#pragma once

#include "dialogs/progress_dlg.h"
#include "directory/dir_user_seam.h"
#include "document/user_seam.h"

class QWidget;

// The document's and the directory comparison's seam in the real window:
// messages in Qt's message box, comparisons under the modal progress dialogs,
// scanning under the wait cursor. Everything happens on the window's thread;
// only the progress sink is called from a worker, and it posts.
class CWindowUserSeam : public CUserSeam, public CDirUserSeam
{
public:
    // parent: the window the message boxes and the progress dialogs stand over.
    explicit CWindowUserSeam(QWidget* parent = nullptr);
    ~CWindowUserSeam() override;
    CWindowUserSeam(const CWindowUserSeam&) = delete;
    CWindowUserSeam& operator=(const CWindowUserSeam&) = delete;

    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const QString& text) override;
    // Serves the file comparisons and the directory classifications alike.
    // Lives as long as the seam, so a job may take it before any dialog
    // exists; each run's dialog takes over its reports.
    CProgressSink* ProgressSink() override;
    void RunComparison(CWorker& worker) override;

    void SetBusy(bool busy) override;
    void RunClassification(CWorker& worker) override;

private:
    QWidget* parent_;
    CWorkerDialog::Sink sink_;
    // The wait cursor is set once however often busy is repeated, so that it
    // is always restored.
    bool busy_ = false;
};
