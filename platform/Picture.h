#pragma once
// Pictures shipped with the program (its Qt resources), read as the format
// their file name says. Qt's reader, left to detect a format, asks every
// installed image plugin in turn whether it reads a PNG or a BMP, which loads
// all of them (a dozen libraries, about a megabyte) the first time any picture
// is read; naming the format loads at most the one plugin that reads it.
#include <QImage>
#include <QString>

namespace platform {

// The picture at `path` in the format its suffix names (".png", ".bmp",
// ".jpg", any letter case); null when it is missing or not of that format.
QImage ReadPicture(const QString& path);

}  // namespace platform
