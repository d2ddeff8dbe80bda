// Build-time tool: draws an SVG picture at the given sizes, as PNG files or,
// for an OUTPUT ending in ".argb", as raw premultiplied ARGB32 pixels, which
// the program shows without parsing or decoding anything at start-up.
// icon_renderer INPUT.svg OUTPUT SIZE...   ("%1" in OUTPUT stands for the size)
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: icon_renderer INPUT.svg OUTPUT SIZE...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) return 1;
    const QString output = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0) return 1;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString path = output.contains(QStringLiteral("%1")) ? output.arg(size) : output;
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (path.endsWith(QStringLiteral(".argb"))) {
            QFile raw(path);
            const auto bytes = static_cast<qint64>(image.sizeInBytes());
            if (!raw.open(QIODevice::WriteOnly) ||
                raw.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes) {
                return 1;
            }
        } else if (!image.save(path)) {
            return 1;
        }
    }
    return 0;
}
