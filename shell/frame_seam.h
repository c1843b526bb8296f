#pragma once

#include <QString>
#include <QUrl>

#include <optional>
#include <string>

// What the main window's commands need from the desktop: message boxes, the
// file and folder choosers, and opening a file or an address with the
// desktop's default application. The window answers with real dialogs; tests
// answer without a display and record what was asked.
class CFrameSeam
{
public:
    virtual ~CFrameSeam();

    // A plain message box with the title "Varnel".
    virtual void ShowMessage(const QString& text) = 0;
    // The same with the error icon.
    virtual void ShowError(const QString& text) = 0;
    // A path chosen by the user, or nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const QString& title) = 0;
    virtual std::optional<std::string> ChooseFolder(const QString& title) = 0;
    // A path to write a web page to, or nothing when cancelled.
    virtual std::optional<std::string> ChoosePageToSave(const QString& title) = 0;
    // False when no application could be started for it.
    virtual bool OpenUrl(const QUrl& url) = 0;
};
