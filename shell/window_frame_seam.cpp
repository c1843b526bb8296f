#include "shell/window_frame_seam.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const char* const kTitle = "Varnel";

std::optional<std::string> PathOf(const QString& chosen)
{
    if (chosen.isEmpty())
        return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

} // namespace

void CWindowFrameSeam::ShowMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QLatin1String(kTitle), text, QMessageBox::Ok, owner_);
    box.exec();
}

void CWindowFrameSeam::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QLatin1String(kTitle), text, QMessageBox::Ok, owner_);
    box.exec();
}

std::optional<std::string> CWindowFrameSeam::ChooseFile(const QString& title)
{
    return PathOf(QFileDialog::getOpenFileName(owner_, title));
}

std::optional<std::string> CWindowFrameSeam::ChooseFolder(const QString& title)
{
    return PathOf(QFileDialog::getExistingDirectory(owner_, title, QDir::rootPath()));
}

// The chooser asks before it replaces a file.
std::optional<std::string> CWindowFrameSeam::ChoosePageToSave(const QString& title)
{
    QFileDialog dialog(owner_, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QObject::tr("Web pages (*.html)"));
    dialog.setDefaultSuffix(QStringLiteral("html"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathOf(dialog.selectedFiles().constFirst());
}

bool CWindowFrameSeam::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
