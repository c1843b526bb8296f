#pragma once

#include "directory/dir_node.h"

#include <QIcon>
#include <QString>

#include <vector>

class CAppearance;

// The icons of the directory panes: a folder or page glyph filled with the
// user's icon colour for the entry's status and marked with the status (M for
// modified, a plus for an entry only in the second tree, a minus for one only
// in the first, lines of text for an identical page). The icons are
// ready-made images, one per glyph, status and colour name; the panes look
// one up whenever they fill themselves, so a changed colour setting shows at
// the next fill.
class CStatusIcons
{
public:
    // One image of the list: which colour name and status it stands for.
    struct BMP_MAP
    {
        QString colorName;
        DirNodeStatus status;
        int imageIndex;
    };

    enum class Glyphs
    {
        FoldersAndPages, // a tree: the 36 folder images, then the 36 page images
        PagesOnly,       // a list of files: the 36 page images
    };

    explicit CStatusIcons(Glyphs glyphs);

    // The image for an entry of a status in the current icon colour of that
    // status. A colour name that is not one of the nine names, exactly as
    // spelled, gives image 0.
    int FolderImage(DirNodeStatus status, const CAppearance& appearance) const;
    int FileImage(DirNodeStatus status, const CAppearance& appearance) const;

    int ImageCount() const { return static_cast<int>(images_.size()); }
    // The image at an index; the index must be below ImageCount().
    const QIcon& Image(int index) const { return images_.at(static_cast<std::size_t>(index)); }

    const std::vector<BMP_MAP>& folderImages() const { return folderImages_; }
    const std::vector<BMP_MAP>& fileImages() const { return fileImages_; }

    // The resource path of the ready-made image of a glyph, status and colour
    // name (the image need not exist).
    static QString ResourcePath(bool folder, DirNodeStatus status, const QString& colorName);
    // An image with its key colour made transparent: white in the blue
    // images, where the glyph itself is blue, and pure blue in all others.
    static QImage LoadKeyed(const QString& resourcePath, const QString& colorName);

private:
    void AddGlyph(bool folder, std::vector<BMP_MAP>& records);
    static int Lookup(const std::vector<BMP_MAP>& records, DirNodeStatus status,
                      const CAppearance& appearance);

    std::vector<QIcon> images_;
    std::vector<BMP_MAP> folderImages_;
    std::vector<BMP_MAP> fileImages_;
};
