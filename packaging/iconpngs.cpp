// Draws the application icon's SVG as the PNGs a desktop's hicolor theme looks up:
// OUTDIR/<n>x<n>/apps/<name>.png at each size the window's icon is drawn at.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <iostream>

#include "app/IconSvg.h"
#include "app/Icons.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: iconpngs ICON.svg OUTDIR\n";
        return 2;
    }
    const QString svgPath = QFile::decodeName(argv[1]);
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << argv[1] << ": " << file.errorString().toStdString() << "\n";
        return 1;
    }
    const QByteArray svg = file.readAll();
    const QString name = QFileInfo(svgPath).completeBaseName();
    for (int size : grafolux::ApplicationIconSizes()) {
        const grafolux::SvgDrawing drawing = grafolux::DrawSvgIcon(svg, size);
        if (drawing.image.isNull()) {
            std::cerr << argv[1] << ": " << drawing.error.toStdString() << "\n";
            return 1;
        }
        const QString folder = QString("%1/%2x%2/apps").arg(QFile::decodeName(argv[2])).arg(size);
        const QString png = folder + "/" + name + ".png";
        if (!QDir().mkpath(folder) || !drawing.image.save(png, "PNG")) {
            std::cerr << "cannot write " << png.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
