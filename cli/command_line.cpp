#include "cli/command_line.h"
#include "catalogue/readers.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>


namespace {

const char *const kUsage =
    "Usage: varnel [--recent] [DATA_DIR]\n"
    "  or:  varnel --list [DATA_DIR]\n"
    "  or:  varnel --export OUT_DIR [--first NAME] [--second NAME] [--flaps LIST] [--format png|svg|pdf] [--size WxH] [--scale F] [--no-caption] [--advantage] [DATA_DIR]\n"
    "  or:  varnel --verdict [--first NAME] [--second NAME] [--flaps LIST] [--format text|tsv|json] [DATA_DIR]";

CommandLine Exit(int code, const QString &text)
{
    CommandLine c;
    c.action = CommandLine::Exit;
    c.exitCode = code;
    c.text = text;
    return c;
}

CommandLine UsageError(const QString &why)
{
    return Exit(2, QStringLiteral("varnel: %1\n%2\nTry 'varnel --help' for more information.\n")
                       .arg(why, QString::fromLatin1(kUsage)));
}

QString HelpText(const QCommandLineParser &parser)
{
    QString help = parser.helpText();
    // Qt writes its own usage line; ours names the two forms.
    help.replace(QRegularExpression(QStringLiteral("^Usage: [^\\n]*\\n")), QString::fromLatin1(kUsage) + QStringLiteral("\n\n"));
    help += QStringLiteral(
        "\nExamples:\n"
        "  varnel ~/aircraft              open the window on ~/aircraft/DataSpeed, DataTurn, ...\n"
        "  varnel --list ~/aircraft       print the aircraft of ~/aircraft as the trees name them\n"
        "  varnel --export /tmp/out --first Tarn-5 --second Skarn-7 --flaps 0,2 ~/aircraft\n"
        "                                 write the seven pages of that comparison as PNG pictures\n"
        "  varnel --verdict --first Tarn-5 --second Skarn-7 --format json ~/aircraft\n"
        "                                 print where each of the two is better, for a script\n");
    return help;
}

// The largest side of a picture in device pixels (size times scale): 256 MiB a picture.
constexpr int kMaxPictureSide = 8192;

// "800x600" -> 800 x 600; each side 1 to kMaxPictureSide pixels.
bool ParseSize(const QString &text, QSize &size)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide)
        return false;
    size = {w, h};
    return true;
}

// "0,2" -> settings 0 and 2 shown; an empty list shows none.
bool ParseFlaps(const QString &text, std::array<bool, 4> &shown)
{
    shown = {false, false, false, false};
    if (text.isEmpty())
        return true;
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QString t = item.trimmed();
        if (t.size() != 1 || t[0] < QLatin1Char('0') || t[0] > QLatin1Char('3'))
            return false;
        shown[t[0].unicode() - '0'] = true;
    }
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Varnel puts the flight performance of two aircraft side by side. It reads the folders\n"
        "DataSpeed, DataTurn, DataCraft and DataWeapon inside DATA_DIR (default: the current\n"
        "directory)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    const QCommandLineOption recent(QStringLiteral("recent"),
                                    QStringLiteral("Open the data folder opened most recently, or the installed sample data, "
                                                   "with the window as a --recent run left it."));
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("Print the aircraft as the trees name them, one a line, without a window."));
    const QCommandLineOption exportTo(QStringLiteral("export"),
                                      QStringLiteral("Write the seven pages (six of charts, then the verdict) as pictures into OUT_DIR, without a window."),
                                      QStringLiteral("OUT_DIR"));
    const QCommandLineOption first(QStringLiteral("first"), QStringLiteral("First aircraft (blue), as the trees name it; letter case may differ."),
                                   QStringLiteral("NAME"));
    const QCommandLineOption second(QStringLiteral("second"), QStringLiteral("Second aircraft (red), as the trees name it; letter case may differ."),
                                    QStringLiteral("NAME"));
    const QCommandLineOption flaps(QStringLiteral("flaps"),
                                   QStringLiteral("Flap settings shown, a comma list of 0 (no flaps) to 3. Default: 0."),
                                   QStringLiteral("LIST"));
    const QCommandLineOption verdict(QStringLiteral("verdict"),
                                     QStringLiteral("Print where each aircraft is better than the other, without a window."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Picture format: png, svg or pdf (default: png); with --verdict: text, tsv or json (default: text)."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Size of each picture in pixels, its caption included. Default: 800x600."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption scale(QStringLiteral("scale"), QStringLiteral("Device-pixel ratio of PNG pictures. Default: 1."),
                                   QStringLiteral("F"));
    const QCommandLineOption noCaption(QStringLiteral("no-caption"),
                                       QStringLiteral("Leave out the band above each page that names the aircraft (in "
                                                      "their colours) and the flap settings; the files' metadata still names them."));
    const QCommandLineOption advantage(QStringLiteral("advantage"),
                                       QStringLiteral("Shade the charts pale blue where the first aircraft is better, pale red where the second is."));
    parser.addOptions({help, version, recent, list, exportTo, verdict, first, second, flaps, format, size, scale, noCaption, advantage});
    parser.addPositionalArgument(QStringLiteral("DATA_DIR"), QStringLiteral("The folder that holds the four data folders."),
                                 QStringLiteral("[DATA_DIR]"));

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(help))
        return Exit(0, HelpText(parser));
    if (parser.isSet(version))
        return Exit(0, QStringLiteral("varnel " VARNEL_VERSION "\n"));

    CommandLine c;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return UsageError(QStringLiteral("more than one DATA_DIR given"));
    const bool exporting = parser.isSet(exportTo);
    const bool judging = parser.isSet(verdict);
    if (exporting && judging)
        return UsageError(QStringLiteral("--export and --verdict do not go together"));
    for (const auto *o : {&first, &second, &flaps, &format, &size, &scale, &noCaption, &advantage})
        if (!exporting && parser.isSet(*o) && !(judging && o != &size && o != &scale && o != &noCaption && o != &advantage))
            return UsageError(QStringLiteral("--%1 needs --export").arg(o->names().constFirst()));
    if ((exporting || judging) && parser.isSet(recent))
        return UsageError(QStringLiteral("--recent opens the window; it does not go with --%1").arg(exporting ? "export" : "verdict"));
    if (parser.isSet(list) && (exporting || judging || parser.isSet(recent)))
        return UsageError(QStringLiteral("--list goes with DATA_DIR alone"));
    if (parser.isSet(list))
        c.action = CommandLine::List;

    ExportOptions &e = c.exportOptions;
    // The aircraft and flap settings, for a picture or a verdict.
    e.first = parser.value(first);
    e.second = parser.value(second);
    if (parser.isSet(flaps) && !ParseFlaps(parser.value(flaps), e.flapShown))
        return UsageError(QStringLiteral("bad --flaps '%1': give a comma list of 0 to 3").arg(parser.value(flaps)));
    if (judging) {
        if (parser.isSet(format)) {
            c.verdictFormat = parser.value(format).toLower();
            if (!QStringList{"text", "tsv", "json"}.contains(c.verdictFormat))
                return UsageError(QStringLiteral("bad --format '%1': give text, tsv or json").arg(parser.value(format)));
        }
        c.action = CommandLine::Verdict;
    }
    if (exporting) {
        e.outDir = parser.value(exportTo);
        if (e.outDir.isEmpty())
            return UsageError(QStringLiteral("--export needs an output folder"));
        if (parser.isSet(format)) {
            e.format = parser.value(format).toLower();
            if (e.format != QLatin1String("png") && e.format != QLatin1String("svg") && e.format != QLatin1String("pdf"))
                return UsageError(QStringLiteral("bad --format '%1': give png, svg or pdf").arg(parser.value(format)));
        }
        if (parser.isSet(size) && !ParseSize(parser.value(size), e.size))
            return UsageError(QStringLiteral("bad --size '%1': give WxH, each 1 to %2").arg(parser.value(size)).arg(kMaxPictureSide));
        if (parser.isSet(scale)) {
            bool ok = false;
            e.scale = parser.value(scale).toDouble(&ok);
            if (!ok || !(e.scale >= 0.1 && e.scale <= 10))
                return UsageError(QStringLiteral("bad --scale '%1': give a number from 0.1 to 10").arg(parser.value(scale)));
        }
        if (std::max(e.size.width(), e.size.height()) * e.scale > kMaxPictureSide)
            return UsageError(QStringLiteral("--size times --scale is over %1 pixels a side").arg(kMaxPictureSide));
        if ((QSizeF(e.size) * e.scale).toSize().isEmpty())
            return UsageError(QStringLiteral("--size times --scale is under one pixel a side"));
        e.caption = !parser.isSet(noCaption);
        e.advantage = parser.isSet(advantage);
        c.action = CommandLine::Export;
    }
    c.recent = parser.isSet(recent);

    if (!positional.isEmpty()) {
        c.dataDir = positional.constFirst();
        const FileKind kind = KindOf(LocateFileName(c.dataDir));
        if (kind == FileKind::None)
            return Exit(2, QStringLiteral("varnel: %1: no such directory\n").arg(c.dataDir));
        if (kind != FileKind::Directory)
            return Exit(2, QStringLiteral("varnel: %1: not a directory\n").arg(c.dataDir));
    }
    return c;
}
