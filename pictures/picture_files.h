#pragma once
// Writing pictures into a folder, all or none: export and the window's "save" entries
// come here. Every write, flush and close is checked, and when any step fails the
// folder is left holding exactly what it held before.
#include "catalogue/readers.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct Picture {
    QString fileName;  // e.g. "overview.png"
    QByteArray bytes;
};

// Writes the pictures into dir (created when missing; its bytes as given) and gives
// their paths. Each goes to a temporary file first and is flushed to disk; only then
// do they take their names, the files they replace moved aside until all are in place.
// On any failure the new files go, the replaced ones come back, a folder created here
// goes again, and the error names the file and the system's reason.
QStringList WritePictures(const FileName &dir, const QList<Picture> &pictures);

// The names, of those given, that stand in dir already (a set written there would
// replace them), in the order given.
QStringList ExistingFiles(const FileName &dir, const QStringList &names);

// SVG text as XML allows it: the control characters XML 1.0 has no place for (a name
// may hold them) become U+FFFD, the replacement character.
QByteArray XmlSafe(const QByteArray &svg);

// For tests: called before each step of WritePictures ("open", "write", "sync", "close",
// "aside", "place") with the picture's index; a result other than 0 makes that step
// fail with that errno. Null: no faults.
using PictureFault = std::function<int(const char *step, int index)>;
void SetPictureFault(PictureFault fault);
