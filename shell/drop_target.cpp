#include "shell/drop_target.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

std::vector<std::string> LocalPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return paths;
}

} // namespace

CDropTarget::CDropTarget(QWidget& window) : QObject(&window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

// Widgets inside the window that take no drops themselves pass them up to
// the window, where they arrive here.
bool CDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (LocalPaths(drag->mimeData()).empty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> paths = LocalPaths(drop->mimeData());
        if (paths.empty())
            return QObject::eventFilter(watched, event);
        drop->acceptProposedAction();
        emit PathsDropped(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
