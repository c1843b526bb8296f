#pragma once

#include "views/pane.h"

#include <QTreeWidget>

class CAppearance;
class CPaneHost;
class CDirComparison;

// A directory comparison as a tree of its files and folders: the tree of its
// side, or both trees merged under "Composite Tree". For now each item shows
// the entry's name only, in scan order.
class CDirView : public QTreeWidget, public CPane
{
    Q_OBJECT

public:
    CDirView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
              QWidget* parent = nullptr);

public slots:
    // Bit 1 (new result) or 2 (icon colours) rebuilds the tree.
    void OnUpdate(int hint) override;

private:
    void Rebuild();

    CDirComparison& dirs_;
    const CAppearance& appearance_;
    CPaneHost& host_;
};
