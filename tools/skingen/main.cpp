// skingen: draws the main window's skin bitmaps and the program's small
// pictures.
//
//   skingen <skin folder> <picture folder>
//
// The skin folder receives the 68 bitmaps (24-bit Windows BMP) the program
// reads at run time, and its subfolder "2x" the same bitmaps drawn for screens
// of twice the pixel density; the picture folder receives the PNG files built into the
// program as resources (item.png, item_selected.png, icon.png, about.png, and the
// item images and about picture at twice the size, named "<name>@2x.png") and the
// program icon at the icon theme's sizes (hedgerow-<size>.png) for installation.

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "TSkinArt.h"

namespace {

bool WriteAll(const QString& folder, const QVector<TArtFile>& files, const char* format) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(folder));
        return false;
    }
    for (const TArtFile& file : files) {
        const QString path = QDir(folder).filePath(file.Name);
        QImageWriter writer(path, format);
        if (!writer.write(file.Image)) {
            std::fprintf(stderr, "skingen: cannot write %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: skingen <skin folder> <picture folder>\n");
        return 2;
    }
    const TSkinArt art;
    if (!WriteAll(args.at(1), art.SkinFiles(), "bmp")) return 1;
    const QString dense = QDir(args.at(1)).filePath(QStringLiteral("2x"));
    if (!WriteAll(dense, TSkinArt(2).SkinFiles(), "bmp")) return 1;
    if (!WriteAll(args.at(2), art.ResourceFiles(), "png")) return 1;
    if (!WriteAll(args.at(2), art.IconFiles(), "png")) return 1;
    if (!WriteAll(args.at(2), TSkinArt(2).ResourceFiles(), "png")) return 1;
    return 0;
}
