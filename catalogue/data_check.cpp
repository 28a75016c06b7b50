#include "catalogue/data_check.h"

#include "catalogue/chart_values.h"
#include "catalogue/check_warnings.h"
#include "core/error.h"

#include <algorithm>

#include <dirent.h>

namespace {
const char *FolderOf(DataFile file)
{
    switch (file) {
    case DataFile::Speed: return "DataSpeed/";
    case DataFile::Turn: return "DataTurn/";
    case DataFile::Craft: return "DataCraft/";
    case DataFile::Weapon: break;
    }
    return "DataWeapon/";
}

// An error of the aircraft's tables or files: bare, with its row and column when it has
// them; its box's text says where.
DataProblem Error(const QString &aircraft, const FileName &name, DataFile file, const VarnelError &bare,
                  const QString &boxMessage)
{
    DataProblem p;
    p.file = DataFilePath(name, file);
    p.line = bare.row() >= 0 ? bare.row() + 1 : 0;
    p.column = bare.column() >= 0 ? bare.column() + 1 : 0;
    p.aircraft = aircraft;
    p.message = bare.message();
    p.boxText = WithFullStop(boxMessage);
    return p;
}

// Files by their folder's order (speed, turn, craft, weapon), then line and column.
int FileRank(const QString &file)
{
    for (DataFile f : {DataFile::Speed, DataFile::Turn, DataFile::Craft, DataFile::Weapon})
        if (file.startsWith(QLatin1String(FolderOf(f))))
            return int(f == DataFile::Speed ? 0 : f == DataFile::Turn ? 1 : f == DataFile::Craft ? 2 : 3);
    return 4;
}
bool InFileOrder(const DataProblem &a, const DataProblem &b)
{
    return std::tuple(FileRank(a.file), a.line, a.column, a.severity) <
           std::tuple(FileRank(b.file), b.line, b.column, b.severity);
}

bool SameProblem(const DataProblem &a, const DataProblem &b)
{
    return a.file == b.file && a.line == b.line && a.column == b.column && a.message == b.message;
}

// The "*.txt" entries of a folder, as the file system names them; none when it is missing.
QList<QByteArray> TextEntries(const FileName &dir)
{
    QList<QByteArray> entries;
    DIR *listing = KindOf(dir) == FileKind::Directory ? ::opendir(dir.bytes.constData()) : nullptr;
    if (!listing)
        return entries;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name.toLower().endsWith(".txt"))
            entries.append(name);
    }
    ::closedir(listing);
    std::sort(entries.begin(), entries.end());
    return entries;
}

DataProblem FolderWarning(const QString &file, const QString &message)
{
    DataProblem p;
    p.file = file;
    p.severity = DataProblem::Severity::Warning;
    p.message = message;
    return p;
}
}  // namespace

QString DataFilePath(const FileName &aircraft, DataFile file)
{
    const char *end = file == DataFile::Speed ? "_speed.txt" : file == DataFile::Turn ? "_turn.txt" : ".txt";
    return QLatin1String(FolderOf(file)) + DisplayName(aircraft.bytes + end);
}

void DataChecker::Hook(ScanHooks &hooks)
{
    hooks.checkCraft = [this](const FileName &name, const AircraftPtr &craft, const AircraftReading &reading,
                              const QString &failure) { Add(name, craft, reading, failure); };
}

void DataChecker::Add(const FileName &name, const AircraftPtr &craft, const AircraftReading &reading,
                      const QString &failure)
{
    Craft c{name, {}, 0};
    const QString shown = name;
    if (!craft) {
        // Left out of the trees: the scan's message, where its file and row say.
        const VarnelError bare = reading.failure ? *reading.failure : VarnelError(failure);
        c.problems << Error(shown, name, reading.failedFile, bare, failure);
        crafts_ << c;
        return;
    }
    const Aircraft &a = *craft;
    QList<DataProblem> errors;
    const auto add = [&](const VarnelError &e, DataFile file) {
        const QString shownFile = file == DataFile::Speed ? a.speedFile : a.turnFile;
        errors << Error(shown, name, file, e, Located(e, a.name, shownFile).message());
    };
    // What the box shows at every flap setting, no flaps first; then every bad value
    // read after the first.
    bool failed = a.altitude.failure || a.turn.climb.failure || a.turn.missingTimeRow;
    for (size_t f = 0; f < 4; ++f)
        failed = failed || a.turn.times[f].failure || a.turn.rates[f].failure;
    for (int marks = 0; failed && marks < 16; ++marks) {
        const FlapSet set = marks == 0 ? FlapSet::NoFlaps() : FlapSet::FromMarks({bool(marks & 1), bool(marks & 2), bool(marks & 4), bool(marks & 8)});
        if (const std::optional<TableFailure> f = FirstTableFailure(a, set))
            add(f->error, f->file);
    }
    for (const SpeedCurve &curve : a.turn.rates)
        if (curve.failure)
            add(*curve.failure, DataFile::Turn);
    for (const VarnelError &e : reading.laterSpeed.errors)
        add(e, DataFile::Speed);
    for (const VarnelError &e : reading.laterTurn.errors)
        add(e, DataFile::Turn);
    c.unlisted = reading.laterSpeed.unlisted + reading.laterTurn.unlisted;

    QList<DataProblem> rest = errors.mid(1) + AircraftWarnings(a, reading);
    std::stable_sort(rest.begin(), rest.end(), InFileOrder);
    if (!errors.isEmpty())
        c.problems << errors.first();
    for (const DataProblem &p : rest)
        if (std::none_of(c.problems.begin(), c.problems.end(), [&](const DataProblem &q) { return SameProblem(p, q); }))
            c.problems << p;
    crafts_ << c;
}

DataCheck DataChecker::Finish()
{
    DataCheck check;
    // Names equal but for letter case or the way they are encoded: two aircraft in the
    // trees that a typed name can't tell apart.
    QHash<QString, QString> seen;
    for (Craft &c : crafts_) {
        const QString shown = c.name;
        const QString key = shown.normalized(QString::NormalizationForm_C).toCaseFolded();
        if (seen.contains(key)) {
            c.problems << FolderWarning(DataFilePath(c.name, DataFile::Speed),
                                        QCoreApplication::translate("Varnel", "имя отличается от «%1» только регистром букв или кодировкой: "
                                                  "в деревьях будут оба, и по имени их не различить")
                                            .arg(seen.value(key)));
            c.problems.back().aircraft = shown;
        } else {
            seen.insert(key, shown);
        }
    }
    QSet<QByteArray> read;  // the files the aircraft read, by folder and name
    for (const Craft &c : crafts_) {
        read << "DataTurn/" + c.name.bytes + "_turn.txt" << "DataCraft/" + c.name.bytes + ".txt"
             << "DataWeapon/" + c.name.bytes + ".txt";
        check.problems += c.problems;
        check.summary.errors += int(c.unlisted);
        if (c.problems.isEmpty() && c.unlisted == 0)
            ++check.summary.clean;
    }
    check.summary.aircraft = int(crafts_.size());
    // Files no aircraft reads: their speed file is missing, or their name is not one the
    // program reads.
    for (const char *folder : {"DataTurn", "DataCraft", "DataWeapon"}) {
        for (const QByteArray &entry : TextEntries(FileName::FromBytes(paths_.start.bytes + '/' + folder))) {
            const QByteArray path = folder + QByteArray("/") + entry;
            if (read.contains(path) || KindOf(FileName::FromBytes(paths_.start.bytes + '/' + path)) != FileKind::Regular)
                continue;
            const bool turn = qstrcmp(folder, "DataTurn") == 0;
            if (turn && !entry.endsWith("_turn.txt")) {
                check.problems << FolderWarning(DisplayName(path), QCoreApplication::translate("Varnel", "имя не оканчивается на _turn.txt: файл не читается"));
                continue;
            }
            const QByteArray craft = entry.left(entry.size() - (turn ? 9 : 4));
            check.problems << FolderWarning(DisplayName(path),
                                            QCoreApplication::translate("Varnel", "нет файла скоростей %1: самолета нет в деревьях, файл не читается")
                                                .arg(DataFilePath(FileName::FromBytes(craft), DataFile::Speed)));
        }
    }
    QSet<QString> files;
    for (const DataProblem &p : check.problems) {
        files << p.file;
        (p.severity == DataProblem::Severity::Error ? check.summary.errors : check.summary.warnings) += 1;
    }
    check.summary.files = int(files.size());
    return check;
}

void LaterCheck::Hook(ScanHooks &hooks)
{
    hooks.checkCraft = [this](const FileName &name, const AircraftPtr &craft, const AircraftReading &reading,
                              const QString &failure) { read_.append({name, craft, reading, failure}); };
}

DataCheck LaterCheck::Finish() const
{
    DataChecker checker(paths_);
    for (const Read &r : read_)
        checker.Add(r.name, r.craft, r.reading, r.failure);
    return checker.Finish();
}

DataCheck CheckDataFolder(const DataPaths &paths)
{
    if (KindOf(paths.speedDir()) != FileKind::Directory)
        ListSpeedEntries(paths);  // raises what the scan raises
    DataChecker checker(paths);
    ScanHooks hooks;
    checker.Hook(hooks);
    try {
        ReadCatalogue(paths, hooks);
    } catch (const VarnelError &) {
        // A DataSpeed that can't be listed gives nothing to check.
    }
    return checker.Finish();
}
