#include "dir_views/status_icons.h"

#include "views/appearance.h"

#include <QImage>
#include <QPixmap>

#include <array>

// The images are compiled into the program. In a static library nothing else
// refers to them, so the linker would leave them out unless they are
// registered by name; this has to happen outside any namespace.
static void RegisterStatusIconImages()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(status_icons);
        return true;
    }();
    (void)registered;
}

namespace {

struct STATUS_ORDER
{
    DirNodeStatus status;
    std::array<const char*, 9> colorNames;
};

// The order in which the images are added, which fixes their indices. It
// keeps the numbering the images have always had, so that image 0, what an
// unknown colour name falls back to, is the grey glyph of an identical entry.
constexpr std::array<STATUS_ORDER, 4> kFolderOrder = {{
    {DirNodeStatus::Normal,
     {"Grey", "Red", "Green", "Black", "White", "Yellow", "Cyan", "Magenta", "Blue"}},
    {DirNodeStatus::Modified,
     {"Red", "Grey", "Green", "White", "Black", "Yellow", "Cyan", "Magenta", "Blue"}},
    {DirNodeStatus::New,
     {"Yellow", "Red", "Green", "Grey", "Black", "White", "Cyan", "Magenta", "Blue"}},
    {DirNodeStatus::Old,
     {"Green", "Red", "Grey", "Black", "White", "Yellow", "Cyan", "Magenta", "Blue"}},
}};

constexpr std::array<STATUS_ORDER, 4> kPageOrder = {{
    {DirNodeStatus::Normal,
     {"Grey", "Green", "Red", "Black", "White", "Yellow", "Cyan", "Magenta", "Blue"}},
    {DirNodeStatus::Modified,
     {"Red", "Grey", "Green", "Black", "White", "Yellow", "Cyan", "Magenta", "Blue"}},
    {DirNodeStatus::New,
     {"Yellow", "Grey", "Green", "Red", "Black", "White", "Cyan", "Magenta", "Blue"}},
    {DirNodeStatus::Old,
     {"Green", "Grey", "Red", "Black", "White", "Yellow", "Cyan", "Magenta", "Blue"}},
}};

QString StatusWord(DirNodeStatus status)
{
    switch (status) {
    case DirNodeStatus::Old:
        return QStringLiteral("old");
    case DirNodeStatus::New:
        return QStringLiteral("new");
    case DirNodeStatus::Modified:
        return QStringLiteral("modified");
    case DirNodeStatus::Normal:
        return QStringLiteral("normal");
    }
    return QString();
}

// The user's icon colour for a status; empty for a value that is no status.
QString ColorNameFor(DirNodeStatus status, const CAppearance& appearance)
{
    switch (status) {
    case DirNodeStatus::Old:
        return appearance.GetOldIconColor();
    case DirNodeStatus::New:
        return appearance.GetNewIconColor();
    case DirNodeStatus::Modified:
        return appearance.GetModifiedIconColor();
    case DirNodeStatus::Normal:
        return appearance.GetNormalIconColor();
    }
    return QString();
}

// The same picture whether or not its row is selected: the colour of an icon
// carries the status, so it must not be tinted by the selection.
QIcon UntintedIcon(const QImage& image)
{
    const QPixmap pixmap = QPixmap::fromImage(image);
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

} // namespace

CStatusIcons::CStatusIcons(Glyphs glyphs)
{
    RegisterStatusIconImages();
    if (glyphs == Glyphs::FoldersAndPages)
        AddGlyph(true, folderImages_);
    AddGlyph(false, fileImages_);
}

void CStatusIcons::AddGlyph(bool folder, std::vector<BMP_MAP>& records)
{
    for (const STATUS_ORDER& order : folder ? kFolderOrder : kPageOrder) {
        for (const char* name : order.colorNames) {
            const QString colorName = QString::fromLatin1(name);
            const QString path = ResourcePath(folder, order.status, colorName);
            records.push_back({colorName, order.status, ImageCount()});
            images_.push_back(UntintedIcon(LoadKeyed(path, colorName)));
        }
    }
}

int CStatusIcons::FolderImage(DirNodeStatus status, const CAppearance& appearance) const
{
    return Lookup(folderImages_, status, appearance);
}

int CStatusIcons::FileImage(DirNodeStatus status, const CAppearance& appearance) const
{
    return Lookup(fileImages_, status, appearance);
}

int CStatusIcons::Lookup(const std::vector<BMP_MAP>& records, DirNodeStatus status,
                         const CAppearance& appearance)
{
    const QString colorName = ColorNameFor(status, appearance);
    for (const BMP_MAP& record : records) {
        if (record.status == status && record.colorName == colorName)
            return record.imageIndex;
    }
    return 0;
}

QString CStatusIcons::ResourcePath(bool folder, DirNodeStatus status, const QString& colorName)
{
    return QStringLiteral(":/status/%1-%2-%3.png")
        .arg(folder ? QStringLiteral("folder") : QStringLiteral("page"), StatusWord(status),
             colorName.toLower());
}

QImage CStatusIcons::LoadKeyed(const QString& resourcePath, const QString& colorName)
{
    RegisterStatusIconImages();
    QImage image = QImage(resourcePath).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = colorName == QLatin1String("Blue") ? qRgb(255, 255, 255) : qRgb(0, 0, 255);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}
