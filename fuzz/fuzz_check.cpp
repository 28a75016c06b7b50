// The data check over arbitrary files. The input is a speed file, then the file mark and
// a turn file (fuzz_support.h); without the mark the same bytes serve as both. They are
// written into a scratch data directory as one aircraft's files (the turn bytes standing
// in for its craft file too) and the folder is checked. The check must end, list every
// error with the text the readers give, list first the error the window's box shows
// with no flaps (none when there is none to show), and leave the curves as the charts
// read them.
#include "catalogue/data_check.h"
#include "catalogue/chart_values.h"
#include "fuzz/fuzz_support.h"

namespace {
bool SameCurves(const CurvePoints &a, const CurvePoints &b) { return a.x == b.x && a.y == b.y; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchData scratch;
    const DataPaths paths = scratch.paths();
    const TwoFiles files = SplitAtFileMark(FuzzBytes(data, size));
    const QByteArray turn = files.second.value_or(files.first);
    ScratchData::put(paths.speedFile(FileName("Fuzz")), files.first);
    ScratchData::put(paths.turnFile(FileName("Fuzz")), turn);
    ScratchData::put(paths.craftFile(FileName("Fuzz")), turn);

    const DataCheck check = CheckDataFolder(paths);
    FUZZ_CHECK(check.summary.aircraft == 1, QString::number(check.summary.aircraft));
    const DataProblem *first = nullptr;
    for (const DataProblem &p : check.problems) {
        FUZZ_CHECK(p.line >= 0 && p.column >= 0 && !p.file.isEmpty(), p.message);
        if (p.severity != DataProblem::Severity::Error)
            continue;
        // The readers' text, with what the check adds about the row after " — ".
        FUZZ_CHECK(IsKnownDataError(p.message) || IsKnownDataError(p.message.left(p.message.lastIndexOf(QStringLiteral(" — ")))),
                   p.message);
        if (!first)
            first = &p;
    }
    AircraftPtr craft;
    try {
        craft = ReadAircraft(paths, FileName("Fuzz"));
    } catch (const VarnelError &e) {
        FUZZ_CHECK(first && first->boxText == WithFullStop(e.message()), e.message());
        return 0;
    }
    const ReadFailure box = FirstFailure(*craft, FlapSet::NoFlaps());
    if (box)
        FUZZ_CHECK(first && first->boxText == WithFullStop(box->message()), WithFullStop(box->message()));
    if (!first)
        for (int marks = 0; marks < 16; ++marks)
            FUZZ_CHECK(!FirstFailure(*craft, FlapSet::FromMarks({bool(marks & 1), bool(marks & 2), bool(marks & 4), bool(marks & 8)})),
                       QStringLiteral("a box with no error listed"));

    // Reading on past the first bad value changes nothing the charts get.
    const QStringList speedRows = SplitTextLines(files.first), turnRows = SplitTextLines(turn);
    LaterFailures later;
    const AltitudeProfiles a = ReadAltitudeProfiles(speedRows), b = ReadAltitudeProfiles(speedRows, &later);
    for (size_t m = 0; m < 4; ++m)
        FUZZ_CHECK(SameCurves(a.curves[m], b.curves[m]), QStringLiteral("altitude curve %1").arg(m));
    FUZZ_CHECK(bool(a.failure) == bool(b.failure) && (!a.failure || a.failure->message() == b.failure->message()),
               QStringLiteral("altitude failure"));
    const TurnCurves t = ReadTurnCurves(turnRows), u = ReadTurnCurves(turnRows, &later);
    FUZZ_CHECK(SameCurves(t.climb.points, u.climb.points), QStringLiteral("climb"));
    for (size_t f = 0; f < 4; ++f)
        FUZZ_CHECK(SameCurves(t.times[f].points, u.times[f].points) && SameCurves(t.rates[f].points, u.rates[f].points) &&
                       t.times[f].failedColumn == u.times[f].failedColumn && t.rates[f].failedColumn == u.rates[f].failedColumn,
                   QStringLiteral("turn setting %1").arg(f));
    return 0;
}
