#include "dialogs/worker_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

// Room around the text in the percent box for its frame and margins.
constexpr int kPercentBoxPadding = 16;

} // namespace

void CWorkerDialog::done(int result)
{
    if (WorkerRunning())
        return;
    Finish(result);
}

void CWorkerDialog::keyPressEvent(QKeyEvent* event)
{
    // The dialog has nothing to confirm: Enter would otherwise end it through
    // the dialog's standard handling while the worker still runs.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QProgressBar* CWorkerDialog::MakeProgressBar()
{
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 1000);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QPushButton* CWorkerDialog::MakeEndButton(const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    button->setDefault(false);
    connect(button, &QPushButton::clicked, this, &CWorkerDialog::reject);
    return button;
}

QLineEdit* CWorkerDialog::MakePercentBox(const QString& widestText)
{
    auto* box = new QLineEdit(this);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(widestText) + kPercentBoxPadding);
    return box;
}
