// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program icon as installed files, painted by the same code that
// gives the window its icon: hicolor PNGs of every installed size and one
// scalable SVG.
//   usage: icon_files OUTPUT_FOLDER
#include "app/Glyphs.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr char kIconName[] = "ee.tarvalind.Zerizedozi";

bool writePng(const QString& folder, int size) {
    const QString sizeFolder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    app::paintMainIcon(painter, size);
    painter.end();
    return QDir().mkpath(sizeFolder) && image.save(QStringLiteral("%1/%2.png").arg(sizeFolder, kIconName));
}

bool writeSvg(const QString& folder) {
    const QString scalable = folder + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(scalable)) return false;
    QSvgGenerator svg;
    svg.setFileName(QStringLiteral("%1/%2.svg").arg(scalable, kIconName));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Zerizedozi"));
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    app::paintMainIcon(painter, 32);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        if (!writePng(folder, size)) {
            std::fprintf(stderr, "icon_files: cannot write the %d-pixel icon\n", size);
            return 1;
        }
    }
    if (!writeSvg(folder)) {
        std::fprintf(stderr, "icon_files: cannot write the scalable icon\n");
        return 1;
    }
    return 0;
}
