#include "catalogue/data_check.h"

#include "catalogue/chart_values.h"
#include "catalogue/check_warnings.h"
#include "core/error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <dirent.h>

namespace {
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

// The entries of a folder as the file system names them ("." and ".." left out), in
// byte order; none when it can't be listed, errno saying why.
std::optional<QList<QByteArray>> Listing(const FileName &dir)
{
    DIR *listing = ::opendir(dir.bytes.constData());
    if (!listing)
        return std::nullopt;
    QList<QByteArray> entries;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            entries.append(name);
    }
    ::closedir(listing);
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The "*.txt" entries of a folder; none when it is missing or can't be listed.
QList<QByteArray> TextEntries(const FileName &dir)
{
    QList<QByteArray> entries;
    for (const QByteArray &name : Listing(dir).value_or(QList<QByteArray>()))
        if (name.toLower().endsWith(".txt"))
            entries.append(name);
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

namespace {
const char *const kFolders[] = {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"};

// The data folder's own problems: one of the four folders there but not to be listed
// (its files are not read: an error), a folder whose name is one of theirs typed not
// quite right (never read).
QList<DataProblem> FolderProblems(const FileName &start)
{
    QList<DataProblem> out;
    for (const char *folder : kFolders) {
        const FileName dir = FileName::FromBytes(start.bytes + '/' + folder);
        const FileKind kind = KindOf(dir);
        if (kind == FileKind::None || Listing(dir))
            continue;
        const QString reason = kind == FileKind::Directory ? QString::fromLocal8Bit(std::strerror(errno))
                                                           : QCoreApplication::translate("Varnel", "это не папка");
        out << FolderWarning(QLatin1String(folder) + QLatin1Char('/'),
                             QCoreApplication::translate("Varnel", "папку не прочитать (%1): ее файлы не читаются").arg(reason));
        out.back().severity = DataProblem::Severity::Error;
    }
    for (const QByteArray &entry : Listing(start).value_or(QList<QByteArray>())) {
        const QString name = DisplayName(entry);
        for (const char *folder : kFolders)
            if (name != QLatin1String(folder) && NearName(name.toLower(), QString::fromLatin1(folder).toLower()) &&
                KindOf(FileName::FromBytes(start.bytes + '/' + entry)) == FileKind::Directory)
                out << FolderWarning(name + QLatin1Char('/'), QCoreApplication::translate("Varnel", "папку никто не читает: ее имя должно быть «%1»").arg(QLatin1String(folder)));
    }
    return out;
}
}  // namespace

void DataChecker::Hook(ScanHooks &hooks)
{
    hooks.checkCraft = [this](const FileName &name, const AircraftPtr &craft, const AircraftReading &reading,
                              const QString &failure) { Add(name, craft, reading, failure); };
}

namespace {
// How many values a row holds as the tables cut it: its fields that are not blank.
int ValueCount(const QList<QStringView> &fields)
{
    return int(std::count_if(fields.begin(), fields.end(), [](QStringView f) { return !f.trimmed().isEmpty(); }));
}

// Rows 0 to 5 of a turn file are its table; the count of those it has before the end
// of the file or a row that begins like a summary row (with a letter).
int TurnTableRows(const QStringList &rows)
{
    int n = 0;
    while (n < kFirstSummaryRow && n < rows.size() && !(rows.at(n).trimmed().size() > 0 && rows.at(n).trimmed().at(0).isLetter()))
        ++n;
    return n;
}

// What the check adds to an error of a row that is cut wrong: a speed file row with
// fewer than five values (listed once, by its first error), a row of values between
// spaces instead of tabs, a turn table with fewer than six rows.
void AddRowHints(QList<DataProblem> &problems, const AircraftReading &reading)
{
    const int tableRows = TurnTableRows(reading.turnRows);
    QSet<int> hintedRows;  // speed file rows already listed
    for (qsizetype i = 0; i < problems.size(); ++i) {
        DataProblem &p = problems[i];
        const bool speed = p.file.startsWith(QLatin1String(FolderOf(DataFile::Speed)));
        if (p.severity != DataProblem::Severity::Error || p.line == 0 || (!speed && !p.file.startsWith(QLatin1String(FolderOf(DataFile::Turn)))))
            continue;
        const QString row = (speed ? reading.speedRows : reading.turnRows).value(p.line - 1);
        const QList<QStringView> fields = RowFields(row);
        const bool spaces = (speed || p.line <= kFirstSummaryRow) && !row.contains(u'\t') && row.trimmed().contains(u' ');
        const QString spaced = QCoreApplication::translate("Varnel", "значения разделены пробелами, а нужно табуляцией");
        QString hint;
        if (speed && ValueCount(fields) < 5) {
            // The row's first error says it; the others of its missing values add nothing.
            if (hintedRows.contains(p.line) && (spaces || fields.value(p.column - 1).trimmed().isEmpty())) {
                problems.removeAt(i--);
                continue;
            }
            hintedRows << p.line;
            hint = spaces ? spaced
                          : QCoreApplication::translate("Varnel", "значений в строке: %n; нужно 5, разделенных табуляцией", nullptr, ValueCount(fields));
        } else if (!speed && p.line > tableRows && p.line <= kFirstSummaryRow) {
            hint = QCoreApplication::translate("Varnel", "строк в таблице: %n из 6", nullptr, tableRows);
        } else if (spaces) {
            hint = spaced;
        }
        if (!hint.isEmpty())
            p.message += QStringLiteral(" — ") + hint;
    }
}

// Every error of the aircraft's tables: what the box shows at every flap setting, no
// flaps first, then every bad value read after the first.
QList<DataProblem> TableErrors(const Aircraft &a, const AircraftReading &reading)
{
    QList<DataProblem> errors;
    const auto add = [&](const VarnelError &e, DataFile file) {
        const QString shownFile = file == DataFile::Speed ? a.speedFile : a.turnFile;
        errors << Error(a.name, a.fileName, file, e, Located(e, a.name, shownFile).message());
    };
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
    return errors;
}
}  // namespace

void DataChecker::Add(const FileName &name, const AircraftPtr &craft, const AircraftReading &reading,
                      const QString &failure)
{
    Craft c{name, {}, 0};
    QList<DataProblem> errors;
    if (!craft) {
        // Left out of the trees: the scan's message, where its file and row say.
        // Its box's text said again, so its line that says where is in the language
        // installed now.
        const VarnelError bare = reading.failure ? *reading.failure : VarnelError(failure);
        const QString box = reading.failure ? Located(bare, name, DataFileName(name, reading.failedFile)).message() : failure;
        errors << Error(name, name, reading.failedFile, bare, box);
    }
    // An aircraft left out for a summary value still has its tables read.
    const Aircraft *a = craft ? craft.get() : reading.unlisted.get();
    QList<DataProblem> rest;
    if (a) {
        errors += TableErrors(*a, reading);
        rest = AircraftWarnings(*a, reading);
        c.unlisted = reading.laterSpeed.unlisted + reading.laterTurn.unlisted;
    }
    rest += errors.mid(1);
    std::stable_sort(rest.begin(), rest.end(), InFileOrder);
    if (!errors.isEmpty())
        c.problems << errors.first();
    for (const DataProblem &p : rest)
        if (std::none_of(c.problems.begin(), c.problems.end(), [&](const DataProblem &q) { return SameProblem(p, q); }))
            c.problems << p;
    AddRowHints(c.problems, reading);
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
    // program reads. Where DataSpeed can't be listed, no one knows which are missing.
    const bool speedListed = Listing(paths_.speedDir()).has_value();
    for (const char *folder : {"DataTurn", "DataCraft", "DataWeapon"}) {
        if (!speedListed)
            break;
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
    check.problems += FolderProblems(paths_.start);
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
    if (KindOf(paths.speedDir()) == FileKind::None)
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
