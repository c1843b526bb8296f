#include "shell/change_watcher.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

CChangeWatcher::CChangeWatcher(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this))
{
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    connect(&quiet_, &QTimer::timeout, this, &CChangeWatcher::Settled);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &CChangeWatcher::OnPathChanged);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
            &CChangeWatcher::OnFolderChanged);
}

void CChangeWatcher::Watch(const QStringList& paths, const QStringList& innerFolders)
{
    const QStringList inner = innerFolders.mid(0, kMaxInnerFolders);
    if (paths != paths_ || inner != inner_) {
        quiet_.stop();
        const QStringList files = watcher_->files();
        const QStringList folders = watcher_->directories();
        if (!files.isEmpty())
            watcher_->removePaths(files);
        if (!folders.isEmpty())
            watcher_->removePaths(folders);
        paths_ = paths;
        inner_ = inner;
        changed_.clear();
        if (!inner_.isEmpty())
            watcher_->addPaths(inner_);
    }
    TakeUpPaths();
    missing_ = Missing();
}

QStringList CChangeWatcher::Missing() const
{
    QStringList missing;
    for (const QString& path : paths_) {
        if (!QFileInfo::exists(path))
            missing.append(path);
    }
    return missing;
}

void CChangeWatcher::TakeUpPaths()
{
    const QStringList files = watcher_->files();
    const QStringList folders = watcher_->directories();
    QStringList wanted;
    for (const QString& path : paths_) {
        const QFileInfo info(path);
        const QString parent = info.absolutePath();
        if (!folders.contains(parent) && !wanted.contains(parent) && QFileInfo::exists(parent))
            wanted.append(parent);
        if (info.exists() && !files.contains(path) && !folders.contains(path) &&
            !wanted.contains(path))
            wanted.append(path);
    }
    if (!wanted.isEmpty())
        watcher_->addPaths(wanted);
}

void CChangeWatcher::OnPathChanged(const QString& path)
{
    const QStringList missing = Missing();
    if (paths_.contains(path) && !changed_.contains(path))
        changed_.append(path);
    // A path that vanished or came back changed too, whoever reported it.
    for (const QString& one : paths_) {
        if (missing.contains(one) != missing_.contains(one) && !changed_.contains(one))
            changed_.append(one);
    }
    // A file replaced by a rename is no longer watched: take it up again.
    TakeUpPaths();
    missing_ = missing;
    quiet_.start();
    emit Changed();
}

void CChangeWatcher::OnFolderChanged(const QString& folder)
{
    // A folder inside a compared folder stands for the compared folder.
    if (inner_.contains(folder)) {
        for (const QString& root : paths_) {
            if (folder.startsWith(root + QLatin1Char('/')))
                return OnPathChanged(root);
        }
    }
    // A watched folder itself changed, or a folder holding a watched path
    // did: only a path that vanished or came back concerns the comparison.
    if (!paths_.contains(folder) && Missing() == missing_)
        return;
    OnPathChanged(folder);
}
