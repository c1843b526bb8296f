#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QFileSystemWatcher;

// Watches the compared files or folders for changes on disk. Editors often
// save by writing a new file and renaming it over the old one, which ends the
// watch on the old file; the watcher then takes up the path again, and a path
// that vanished is taken up again when it comes back. Changes come in bursts
// while a file is written, so besides saying at once that something changed
// it says when the paths have been quiet for a while.
class CChangeWatcher : public QObject
{
    Q_OBJECT

public:
    // How long the paths must be quiet before Settled.
    static constexpr int kQuietMs = 500;

    explicit CChangeWatcher(QObject* parent = nullptr);

    // The most folders inside compared folders that are watched: the system
    // gives each user a limited number of watches.
    static constexpr int kMaxInnerFolders = 2000;

    // Watches exactly these paths from now on, and the folders inside them
    // (innerFolders, up to kMaxInnerFolders), where entries that come, go or
    // are replaced count as a change of the compared folder; a change seen
    // before is forgotten. Watching the paths already watched only takes up
    // those whose watch was lost.
    void Watch(const QStringList& paths, const QStringList& innerFolders = {});
    const QStringList& Paths() const { return paths_; }
    // The watched paths that are not on disk now.
    QStringList Missing() const;
    // The watched paths that changed since the last Watch or Forget.
    const QStringList& ChangedPaths() const { return changed_; }
    void Forget() { changed_.clear(); }
    // Says Settled again after another quiet while, for a settled change that
    // could not be acted on yet.
    void Postpone() { quiet_.start(); }

signals:
    // A watched path changed, vanished or came back.
    void Changed();
    // The paths have been quiet for kQuietMs since the last change.
    void Settled();

private:
    void OnPathChanged(const QString& path);
    void OnFolderChanged(const QString& folder);
    // Adds every watched path that exists and is not watched yet, with the
    // folder it lies in, where a vanished path would come back.
    void TakeUpPaths();

    QFileSystemWatcher* watcher_;
    QTimer quiet_;
    QStringList paths_;
    QStringList missing_;
    QStringList changed_;
    QStringList inner_;
};
