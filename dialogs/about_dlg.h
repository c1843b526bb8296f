#pragma once

#include <QDialog>

class QPushButton;

// The About box: the program's picture, name and version, the rights holder
// and the licence notice, and a button that asks for the product's web page.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    // versionText is the build's version text, the program's name followed
    // by its version number ("Varnel 1.5.00").
    explicit CAboutDlg(const QString& versionText, QWidget* parent = nullptr);

    // "Varnel 1.5.00" reads "Varnel version 1.5.00.".
    static QString VersionLine(const QString& versionText);
    static QString RightsLine();
    static QString NoticeText();

signals:
    // "Open Website" was pressed; whoever runs the dialog opens the page, and
    // the dialog stays open.
    void OpenWebsite();
};
