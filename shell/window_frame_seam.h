#pragma once

#include "shell/frame_seam.h"

class QWidget;

// The frame's seam in the real window: Qt's message boxes and choosers, and
// the desktop's default applications.
class CWindowFrameSeam : public CFrameSeam
{
public:
    explicit CWindowFrameSeam(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<std::string> ChooseFile(const QString& title) override;
    std::optional<std::string> ChooseFolder(const QString& title) override;
    std::optional<std::string> ChoosePageToSave(const QString& title) override;
    bool OpenUrl(const QUrl& url) override;

private:
    QWidget* owner_;
};
