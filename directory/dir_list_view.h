#pragma once

#include "views/pane.h"

#include <QTreeWidget>

class CAppearance;
class CPaneHost;
class CDirComparison;

// A directory comparison as a flat list of its files, by path relative to the
// root: the files of its side, or of both sides with each pair listed once.
// For now the rows are in scan order and show the path only.
class CDirListView : public QTreeWidget, public CPane
{
    Q_OBJECT

public:
    CDirListView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
              QWidget* parent = nullptr);

public slots:
    // Bit 1 (new result) or 2 (icon colours) rebuilds the list.
    void OnUpdate(int hint) override;

private:
    void Rebuild();

    CDirComparison& dirs_;
    const CAppearance& appearance_;
    CPaneHost& host_;
};
