#pragma once

#include <QObject>

#include <string>
#include <vector>

class QWidget;

// Takes files and folders dropped anywhere on a window, in the order they
// were dropped, and hands their paths on; anything but local paths is
// refused while it is dragged.
class CDropTarget : public QObject
{
    Q_OBJECT

public:
    // Watches window and every widget inside it.
    explicit CDropTarget(QWidget& window);

signals:
    void PathsDropped(const std::vector<std::string>& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
