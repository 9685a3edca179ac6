// Draws every picture of the program directory given as the only argument.
#include "tools/artwork/Artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR\n", argv[0]);
        return 2;
    }
    QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    bool ok = artwork::drawCategoryIcons(out);
    ok = artwork::drawSkin(out) && ok;
    ok = artwork::drawPicker(out) && ok;
    ok = artwork::drawIcons(out) && ok;
    return ok ? 0 : 1;
}
