#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

// A path, kept as the bytes the file system uses, in the form shown to the
// user: decoded as the file system's names are.
inline QString PathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
