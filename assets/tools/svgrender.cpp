// Renders an SVG picture to a raster file of a given size: JPEG on white (JPEG has no alpha),
// PNG on transparent, or bare premultiplied RGBA bytes (".rgba", a row after another) that
// the program takes as they are, with no decoder. Used at build time for the money pictures
// and the start screen's head.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

QtMessageHandler defaultHandler = nullptr;

// Headless build machines have no XDG runtime dir; Qt's notice about it is only noise here.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (!msg.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set"))
        defaultHandler(type, context, msg);
}

} // namespace

int main(int argc, char** argv) {
    defaultHandler = qInstallMessageHandler(quietHandler);
    // Text in the SVGs needs the font database, which needs a GUI application.
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        err << "usage: svgrender INPUT.svg OUTPUT.(jpg|png|rgba) WIDTH HEIGHT\n";
        return 2;
    }
    const QString input = args[1];
    const QString output = args[2];
    bool okW = false;
    bool okH = false;
    const int width = args[3].toInt(&okW);
    const int height = args[4].toInt(&okH);
    if (!okW || !okH || width <= 0 || height <= 0) {
        err << "svgrender: bad size " << args[3] << "x" << args[4] << "\n";
        return 2;
    }
    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        err << "svgrender: cannot read " << input << "\n";
        return 1;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    const bool bare = output.endsWith(".rgba", Qt::CaseInsensitive);
    const bool jpeg = !bare && !output.endsWith(".png", Qt::CaseInsensitive);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(jpeg ? Qt::white : Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
    }
    bool saved = false;
    if (bare) {
        const QImage bytes = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        QFile file(output);
        saved = file.open(QIODevice::WriteOnly) &&
                file.write(reinterpret_cast<const char*>(bytes.constBits()), bytes.sizeInBytes()) ==
                    bytes.sizeInBytes();
    } else {
        saved = jpeg ? image.convertToFormat(QImage::Format_RGB32).save(output, "JPG", 92)
                     : image.save(output, "PNG");
    }
    if (!saved) {
        err << "svgrender: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
