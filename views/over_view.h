#pragma once

#include "views/pane.h"

#include <QWidget>

class CAppearance;
class CPaneHost;
class CDiffDoc;

// The whole file comparison as one narrow strip scaled to the pane's height:
// for now one strip of all blocks, each difference in the colour of its kind.
class COverView : public QWidget, public CPane
{
    Q_OBJECT

public:
    COverView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host,
              QWidget* parent = nullptr);

public slots:
    // Every update repaints the strip, whatever its bits.
    void OnUpdate(int hint) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CDiffDoc& doc_;
    const CAppearance& appearance_;
    CPaneHost& host_;
};
