#pragma once
// File names and paths as the bytes the file system has, and where an aircraft's four
// files lie.
#include <QByteArray>
#include <QString>

#include <utility>

// A file's name or path as the file system has it: bytes. Names from a directory
// listing keep the bytes the listing gave, so a file is opened by the very name it has;
// text written in the program stands for its UTF-8. As text it shows as DisplayName
// shows it.
struct FileName {
    FileName() = default;
    FileName(const QString &text) : bytes(text.toUtf8()) {}
    FileName(const char *text) : bytes(text) {}
    static FileName FromBytes(QByteArray b)
    {
        FileName f;
        f.bytes = std::move(b);
        return f;
    }
    operator QString() const;
    bool isEmpty() const { return bytes.isEmpty(); }
    friend bool operator==(const FileName &, const FileName &) = default;

    QByteArray bytes;
};
// A name as it is shown, each component of a path on its own: its bytes as UTF-8, or as
// Windows-1251 when they are no valid UTF-8 (so the bytes DF EA 2D 33 show as "Як-3").
QString DisplayName(const QByteArray &bytes);
// The bytes of the path that text names, the inverse of DisplayName for paths that
// exist: component by component, the text's UTF-8, or its Windows-1251 where only that
// names an existing entry.
FileName LocateFileName(const QString &text);
// The process's working directory, as bytes.
FileName CurrentDirectory();
// path as it is when absolute, else taken from the working directory.
FileName AbsoluteFileName(const FileName &path);
enum class FileKind { None, Regular, Directory, Other };
// What stands at path (links followed).
FileKind KindOf(const FileName &path);

// Where one aircraft's files lie, built from the start directory (the directory the
// program was started in): <start>/DataSpeed/<name>_speed.txt and so on.
struct DataPaths {
    FileName start;  // absolute start directory
    FileName speedDir() const;
    FileName speedFile(const FileName &name) const;   // DataSpeed/<name>_speed.txt
    FileName turnFile(const FileName &name) const;    // DataTurn/<name>_turn.txt
    FileName craftFile(const FileName &name) const;   // DataCraft/<name>.txt
    FileName weaponFile(const FileName &name) const;  // DataWeapon/<name>.txt
};

// True when a regular file exists at path.
bool RegularFileExists(const FileName &path);
