// Draws the application icon's SVG as the PNGs a desktop's hicolor theme looks up, which the
// window also compiles in: OUTDIR/<n>x<n>/apps/<name>.png for each SIZE n.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: iconpngs ICON.svg OUTDIR SIZE...\n";
        return 2;
    }
    const QString svgPath = QFile::decodeName(argv[1]);
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::cerr << argv[1] << ": not a readable SVG file\n";
        return 1;
    }
    const QString name = QFileInfo(svgPath).completeBaseName();
    for (int k = 3; k < argc; ++k) {
        bool ok = false;
        const int size = QString(argv[k]).toInt(&ok);
        if (!ok || size < 1) {
            std::cerr << "iconpngs: not a size: " << argv[k] << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString folder = QString("%1/%2x%2/apps").arg(QFile::decodeName(argv[2])).arg(size);
        const QString png = folder + "/" + name + ".png";
        if (!QDir().mkpath(folder) || !image.save(png, "PNG")) {
            std::cerr << "iconpngs: cannot write " << png.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
