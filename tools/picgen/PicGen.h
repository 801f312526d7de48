// PicGen: the program's picture content, drawn from code so that every
// picture can be made again exactly.
//
// - the five circuit schematics that the schematic windows read from the
//   current folder as JPEG files;
// - the enabling and release circuit kept inside the program, shown while
//   its JPEG file cannot be read (795 x 1064, 256-colour palette);
// - the poster of the window behind the "SZLAK" label (287 x 428,
//   16 bits per pixel).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <stdexcept>
#include <vector>

namespace kyt::picgen {

struct SchematicFile {
    QString fileName; // name in the program's folder
    QSize size; // the size of the picture control that shows it
    QString title;
};

// The five schematic files, in the order of the windows that show them:
// "obwody.jpg", "liniowy.jpg", "pulpit.jpg", "zpg.jpg", "blok - zwrot.jpg".
const std::vector<SchematicFile>& schematicFiles();

// Draws the schematic kept in the named file; a null image for a name that
// is not one of the five.
QImage drawSchematic(const QString& fileName);

// The stored enabling and release circuit: 795 x 1064, 8-bit indexed.
QImage drawStoredCircuit();
inline constexpr int StoredCircuitWidth = 795;
inline constexpr int StoredCircuitHeight = 1064;

// The poster: 287 x 428, RGB 5-6-5.
QImage drawPoster();
inline constexpr int PosterWidth = 287;
inline constexpr int PosterHeight = 428;

// Encodes a picture as a baseline JPEG file image (YCbCr, 4:2:0) with
// libjpeg. Throws std::runtime_error with libjpeg's message on failure.
QByteArray encodeJpeg(const QImage& image, int quality = 92);

// Writes bytes to a file, replacing it. Throws std::runtime_error naming
// the file when it cannot be written completely.
void writeFile(const QString& path, const QByteArray& bytes);

// Writes the five JPEG files into jpegDir and the stored pictures
// ("olin.png", "zar.png") into storeDir (either may be empty to skip it).
// Throws std::runtime_error on the first failure.
void generateAll(const QString& jpegDir, const QString& storeDir);

} // namespace kyt::picgen
