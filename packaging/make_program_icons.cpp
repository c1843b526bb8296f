// Writes the program's icon for the desktop's icon theme: PNG images at the
// sizes desktops ask for, and an SVG drawing for any other size. All come
// from the drawing the window uses for its own icon.
//
// Usage: make_program_icons OUTPUT_FOLDER NAME
// writes OUTPUT_FOLDER/hicolor/NxN/apps/NAME.png and
// OUTPUT_FOLDER/hicolor/scalable/apps/NAME.svg.
#include "views/license_view.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The sizes of the hicolor theme that desktops look up for an application.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The drawing's own grid; the SVG keeps it as its view box.
constexpr int kGrid = 32;

bool WritePng(const QString& folder, const QString& name, int size)
{
    const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(dir))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        CLicenseView::PaintProgramIcon(painter, size);
    }
    return image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool WriteSvg(const QString& folder, const QString& name)
{
    const QString dir = folder + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(dir))
        return false;
    QSvgGenerator svg;
    svg.setFileName(dir + QLatin1Char('/') + name + QStringLiteral(".svg"));
    svg.setSize(QSize(kGrid, kGrid));
    svg.setViewBox(QRect(0, 0, kGrid, kGrid));
    svg.setTitle(name);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    CLicenseView::PaintProgramIcon(painter, kGrid);
    return painter.end();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_program_icons OUTPUT_FOLDER NAME\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kSizes) {
        if (!WritePng(folder, name, size)) {
            std::fprintf(stderr, "make_program_icons: cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    if (!WriteSvg(folder, name)) {
        std::fprintf(stderr, "make_program_icons: cannot write the scalable icon\n");
        return 1;
    }
    return 0;
}
