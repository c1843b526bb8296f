#pragma once

#include <QFrame>

class QAction;
class QLabel;
class QToolButton;

// The bar above the panes that says the compared files changed on disk and
// offers the Reload command; when a file is gone it says that the result
// shown is the one from before, and offers nothing, since reloading would
// lose it.
class CFileChangeBar : public QFrame
{
    Q_OBJECT

public:
    CFileChangeBar(QAction& reload, QWidget* parent = nullptr);

    // changed: the paths that changed, as the user named them.
    void ShowChanged(const QStringList& changed);
    // missing: the paths that no longer exist, as the user named them.
    void ShowMissing(const QStringList& missing);
    QString Text() const;
    bool OffersReload() const;

private:
    QLabel* label_;
    QToolButton* reloadButton_;
};
