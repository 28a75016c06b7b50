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
    FileName fileName;  // e.g. "overview.png"; a name's bytes as given, whatever their encoding
    QByteArray bytes;
};

// Writes the pictures into dir (created when missing; its bytes as given) and gives
// their paths. Each goes to a temporary file first and is flushed to disk (all at once,
// each on a thread of its own); only then do they take their names, each renamed
// straight over the file it replaces, so every name holds a whole picture, old or new,
// at every moment. A hard link keeps each
// replaced file until all are in place. On any failure (an interruption under
// ExportSignals too) the new files go, the replaced ones come back, a folder created
// here goes again, and the error names the file and the system's reason. Temporary
// files that an earlier run left behind (ended by force) are removed first.
QStringList WritePictures(const FileName &dir, const QList<Picture> &pictures);

// While one lives (the command line's export): SIGINT, SIGTERM and SIGHUP end the
// program with one line on stderr, "varnel: Interrupted by SIGINT", and a status of
// 128 + the signal; one that comes while WritePictures writes makes it put the folder
// back as it was and raise "Interrupted by SIGINT" instead. SIGXFSZ is ignored, so a
// file over the size limit fails as a full disk does. The handlers before come back.
class ExportSignals {
public:
    ExportSignals();
    ~ExportSignals();
    ExportSignals(const ExportSignals &) = delete;
    ExportSignals &operator=(const ExportSignals &) = delete;
};

// The names, of those given, that stand in dir already (a set written there would
// replace them), in the order given.
QStringList ExistingFiles(const FileName &dir, const QStringList &names);

// SVG text as XML allows it: the control characters and the noncharacters U+FFFE and
// U+FFFF, which XML 1.0 has no place for (a name may hold them), become U+FFFD, the
// replacement character.
QByteArray XmlSafe(const QByteArray &svg);

// For tests: called before each step of WritePictures ("open", "write", "sync", "close",
// "aside": the replaced file kept, "place") with the picture's index; a result other than 0 makes that step
// fail with that errno. Null: no faults.
using PictureFault = std::function<int(const char *step, int index)>;
void SetPictureFault(PictureFault fault);
