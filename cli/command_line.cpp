#include "cli/command_line.h"
#include "catalogue/readers.h"
#include "cli/terminal_text.h"
#include "core/language.h"
#include "verdict/ranking.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>


namespace {

const char *const kUsage =
    "Usage: varnel [--recent] [--units SYSTEM] [DATA_DIR]\n"
    "  or:  varnel --list [DATA_DIR]\n"
    "  or:  varnel --export OUT_DIR [--first NAME] [--second NAME] [--flaps LIST] [--format png|svg|pdf] [--size WxH] [--scale F] [--no-caption] [--advantage] [--units SYSTEM] [DATA_DIR]\n"
    "  or:  varnel --verdict [--first NAME] [--second NAME] [--flaps LIST] [--format text|tsv|json] [--units SYSTEM] [DATA_DIR]\n"
    "  or:  varnel --check [--format text|json] [DATA_DIR]\n"
    "  or:  varnel --rank NAME [--altitude M] [--speed V] [--flaps LIST] [--by MEASURE] [--format text|tsv|json] [--units SYSTEM] [DATA_DIR]\n"
    "  or:  varnel --report FILE.pdf|FILE.html [--first NAME] [--second NAME] [--flaps LIST] [--advantage] [--paper a4|letter] [--units SYSTEM] [DATA_DIR]";

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
    return Exit(2, ErrorLine(QStringLiteral("varnel: ") + why) +
                       QStringLiteral("%1\nTry 'varnel --help' for more information.\n").arg(QString::fromLatin1(kUsage)));
}

QString HelpText(const QList<QCommandLineOption> &options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Varnel puts the flight performance of two aircraft side by side. It reads the folders\n"
        "DataSpeed, DataTurn, DataCraft and DataWeapon inside DATA_DIR (default: the current\n"
        "directory). Qt's own options (-platform, -style, ...) are taken as Qt takes them."));
    parser.addOptions(options);
    parser.addPositionalArgument(QStringLiteral("DATA_DIR"), QStringLiteral("The folder that holds the four data folders."),
                                 QStringLiteral("[DATA_DIR]"));
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
        "                                 print where each of the two is better, for a script\n"
        "  varnel --check ~/aircraft      list every problem of the data files, with file, line and column\n"
        "  varnel --rank Tarn-5 --altitude 4000 --speed 300 --flaps 0,2 ~/aircraft\n"
        "                                 rank every other aircraft against Tarn-5 at 4,000 m and 300 km/h\n"
        "  varnel --report tarn-skarn.pdf --first Tarn-5 --second Skarn-7 ~/aircraft\n"
        "                                 write the whole comparison, charts and verdict, as one PDF\n"
        "\nExit status: 0 when done; 1 when an aircraft is unknown, data fail, a folder can't be\n"
        "written or stdout can't take the output (one line on stderr says which); 2 for a bad\n"
        "option or DATA_DIR. --check: 0 without errors (warnings allowed), 1 with errors, 2 for\n"
        "a bad option or a DATA_DIR without DataSpeed.\n");
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
bool ParseFlaps(const QString &text, FlapSet &shown)
{
    shown = FlapSet();
    if (text.isEmpty())
        return true;
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QString t = item.trimmed();
        if (t.size() != 1 || t[0] < QLatin1Char('0') || t[0] > QLatin1Char('3'))
            return false;
        shown = shown.With(t[0].unicode() - '0');
    }
    return true;
}

// Qt's own options, all of those QGuiApplication, QApplication and the X11 platform
// take out of the arguments: QApplication gets them, the parser does not. value: it takes
// the next argument when not written "-name=value".
struct QtOption {
    const char *name;
    bool value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"session", true},
    {"reverse", false}, {"testability", false}, {"qmljsdebugger", false},
    {"style", true}, {"stylesheet", true}, {"widgetcount", false},
    {"display", true}, {"geometry", true}, {"title", true}, {"icon", true}, {"name", true},
    {"visual", true}, {"ncols", true}, {"cmap", false}, {"nograb", false}, {"dograb", false}, {"sync", false},
};

const QtOption *QtOptionNamed(const QString &name)
{
    for (const QtOption &o : kQtOptions)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
}

// One argument: its bytes, and its text as file names show.
struct Argument {
    QByteArray bytes;
    QString text;
};

// Our options as the help lists them, each known by its long name.
QList<QCommandLineOption> Options()
{
    const auto option = [](const QStringList &names, const char *help, const char *value = nullptr) {
        return QCommandLineOption(names, QString::fromUtf8(help), QString::fromLatin1(value));
    };
    return {
        option({"h", "help"}, "Show this help and exit."),
        option({"version"}, "Show the version and exit."),
        option({"recent"}, "Open the data folder opened most recently, or the installed sample data, "
                           "with the window as a --recent run left it."),
        option({"list"}, "Print the aircraft as the trees name them, one a line, without a window; "
                         "control characters in a name show escaped (\\t, \\n, \\x1b)."),
        option({"export"}, "Write the seven pages (six of charts, then the verdict) as pictures into OUT_DIR, without a window.",
               "OUT_DIR"),
        option({"verdict"}, "Print where each aircraft is better than the other, without a window."),
        option({"check"}, "Read every data file to its end and list every problem, one a line (FILE:LINE:COLUMN: "
                          "error|warning: MESSAGE), then a summary, without a window. Errors are what the window "
                          "would say; warnings are things that draw but are probably mistakes."),
        option({"rank"}, "Rank every other aircraft against NAME at one altitude (speed and climb at 100% and MAX) "
                         "and one speed (climb, turn time and turn rate), with the catalogue's leaders, without a window.",
               "NAME"),
        option({"altitude"}, "With --rank: the altitude, in the units chosen. Default: 1000 m (3000 ft).", "M"),
        option({"speed"}, "With --rank: the speed, in the units chosen. Default: 300 km/h (190 mph, 160 kt).", "V"),
        option({"by"}, "With --rank: the order, by a measure (speed-100, speed-max, climb-100, climb-max, "
                       "climb-at-speed, turn-time, turn-rate; turn-time:2 for flaps 2) or by wins (the default).",
               "MEASURE"),
        option({"report"}, "Write the whole comparison (a first page, the six chart pages, the verdict) as one PDF "
                           "or HTML file, by FILE's extension, without a window.", "FILE"),
        option({"paper"}, "Paper of the PDF report, landscape: a4 or letter. Default: a4.", "SIZE"),
        option({"first"}, "First aircraft (blue), as the trees name it; letter case may differ.", "NAME"),
        option({"second"}, "Second aircraft (red), as the trees name it; letter case may differ.", "NAME"),
        option({"flaps"}, "Flap settings shown, a comma list of 0 (no flaps) to 3. Default: 0.", "LIST"),
        option({"format"}, "Picture format: png, svg or pdf (default: png); with --verdict and --rank: text, tsv or json; with --check: text or json (default: text).",
               "FORMAT"),
        option({"size"}, "Size of each picture in pixels, its caption included. Default: 800x600.", "WxH"),
        option({"scale"}, "Device-pixel ratio of PNG pictures. Default: 1.", "F"),
        option({"no-caption"}, "Leave out the band above each page that names the aircraft (in "
                               "their colours) and the flap settings; the files' metadata still names them."),
        option({"advantage"}, "Shade the charts pale blue where the first aircraft is better, pale red where the second is."),
        option({"lang"}, "Language of the window, of the pictures' texts and of the verdict: ru (default, or as last chosen in the window) or en. "
                         "This help and the command line's errors stay English.", "LANG"),
        option({"units"}, "Units every number is shown in: metric (m, km/h, m/s; the default), imperial (ft, mph, "
                          "ft/min) or knots (ft, kt, ft/min). In the window, for this run only.",
               "SYSTEM"),
    };
}

// The arguments taken apart in one pass: Qt's options aside, ours with their values
// (the last one given counts), the rest positional ("--" ends the options).
struct Parsed {
    QString error;                    // for the usage; empty: parsed
    QHash<QString, Argument> values;  // by long name; a flag's value is empty
    QList<Argument> positional;
    QList<QPair<QString, QByteArrayList>> qt;  // each of Qt's options and its arguments
    bool isSet(const char *name) const { return values.contains(QLatin1String(name)); }
    QString value(const char *name) const { return values.value(QLatin1String(name)).text; }
};

Parsed Parse(const QList<Argument> &args, const QList<QCommandLineOption> &options)
{
    Parsed p;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const Argument &a = args[i];
        if (optionsEnded || a.text.size() < 2 || !a.text.startsWith(QLatin1Char('-'))) {
            p.positional << a;
            continue;
        }
        if (a.text == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const QString body = a.text.mid(a.text.startsWith(QLatin1String("--")) ? 2 : 1);  // --platform is -platform too
        const qsizetype eq = body.indexOf(QLatin1Char('='));
        const QString name = body.left(eq);
        if (const QtOption *q = QtOptionNamed(name)) {
            QByteArrayList given{a.bytes};
            if (q->value && eq < 0 && i + 1 < args.size())
                given << args[++i].bytes;
            p.qt.append({name, given});
            continue;
        }
        const auto o = std::find_if(options.begin(), options.end(), [&](const QCommandLineOption &o) { return o.names().contains(name); });
        if (o == options.end()) {
            p.error = QStringLiteral("Unknown option '%1'.").arg(name);
            return p;
        }
        Argument value;
        if (o->valueName().isEmpty() && eq >= 0) {
            p.error = QStringLiteral("Unexpected value after '%1'.").arg(a.text.left(a.text.indexOf(QLatin1Char('='))));
            return p;
        }
        if (!o->valueName().isEmpty()) {
            if (eq >= 0)
                value = {a.bytes.mid(a.bytes.indexOf('=') + 1), body.mid(eq + 1)};
            else if (i + 1 < args.size())
                value = args[++i];
            else {
                p.error = QStringLiteral("Missing value after '%1'.").arg(a.text);
                return p;
            }
        }
        p.values.insert(o->names().constLast(), value);
    }
    return p;
}

// --lang and --units; the usage's reason when one is bad.
QString ParseLanguageAndUnits(const Parsed &parser, CommandLine &c)
{
    if (parser.isSet("lang")) {
        c.language = parser.value("lang").toLower();
        if (!Languages().contains(*c.language))
            return QStringLiteral("bad --lang '%1': give ru or en").arg(parser.value("lang"));
    }
    if (parser.isSet("units")) {
        c.units = UnitSystemNamed(parser.value("units").toLower());
        if (!c.units)
            return QStringLiteral("bad --units '%1': give metric, imperial or knots").arg(parser.value("units"));
    }
    return QString();
}

// A number given for --altitude or --speed: finite and within limits, or none.
std::optional<double> RankPlace(const QString &text, double lowest, double highest)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && v >= lowest && v <= highest ? std::optional(v) : std::nullopt;
}

// --rank and what goes with it; the usage's reason when something does not fit.
QString ParseRank(const Parsed &parser, CommandLine &c)
{
    if (!parser.isSet("rank"))
        return QStringLiteral("--altitude, --speed and --by need --rank");
    for (const char *o : {"list", "export", "verdict", "check", "report", "paper", "recent", "first", "second", "size",
                          "scale", "no-caption", "advantage"})
        if (parser.isSet(o))
            return QStringLiteral("--rank does not go with --%1").arg(QLatin1String(o));
    c.action = CommandLine::Rank;
    c.rankName = parser.value("rank");
    if (parser.isSet("flaps") && !ParseFlaps(parser.value("flaps"), c.exportOptions.flaps))
        return QStringLiteral("bad --flaps '%1': give a comma list of 0 to 3").arg(parser.value("flaps"));
    if (parser.isSet("altitude") && !(c.rankAltitude = RankPlace(parser.value("altitude"), -10000, 100000)))
        return QStringLiteral("bad --altitude '%1': give a number from -10000 to 100000").arg(parser.value("altitude"));
    if (parser.isSet("speed") && !(c.rankSpeed = RankPlace(parser.value("speed"), 0, 10000)))
        return QStringLiteral("bad --speed '%1': give a number from 0 to 10000").arg(parser.value("speed"));
    if (parser.isSet("by")) {
        c.rankBy = RankColumnNamed(RankColumns(c.exportOptions.flaps), parser.value("by").toLower());
        if (c.rankBy < -1)
            return QStringLiteral("bad --by '%1': give wins or a measure of the flap settings ranked").arg(parser.value("by"));
    }
    if (parser.isSet("format")) {
        c.verdictFormat = parser.value("format").toLower();
        if (!QStringList{"text", "tsv", "json"}.contains(c.verdictFormat))
            return QStringLiteral("bad --format '%1': give text, tsv or json").arg(parser.value("format"));
    }
    if (!parser.positional.isEmpty())
        c.dataDir = FileName::FromBytes(parser.positional.constFirst().bytes);
    return QString();
}
}  // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QByteArrayList bytes;
    for (const QString &a : arguments)
        bytes << a.toUtf8();
    return ParseArgv(bytes);
}

CommandLine ParseArgv(const QByteArrayList &arguments)
{
    QList<Argument> args;
    for (const QByteArray &a : arguments)
        args.append({a, DisplayName(a)});
    const QList<QCommandLineOption> options = Options();
    const Parsed parser = Parse(args, options);
    if (!parser.error.isEmpty())
        return UsageError(parser.error);
    if (parser.isSet("help"))
        return Exit(0, HelpText(options));
    if (parser.isSet("version"))
        return Exit(0, QStringLiteral("varnel " VARNEL_VERSION "\n"));

    CommandLine c;
    // The language and units, which every mode takes.
    if (const QString why = ParseLanguageAndUnits(parser, c); !why.isEmpty())
        return UsageError(why);
    if (parser.positional.size() > 1)
        return UsageError(QStringLiteral("more than one DATA_DIR given"));
    if (parser.isSet("rank") || parser.isSet("altitude") || parser.isSet("speed") || parser.isSet("by")) {
        if (const QString why = ParseRank(parser, c); !why.isEmpty())
            return UsageError(why);
        c.qtArguments = {arguments.value(0)};
        return c;
    }
    if (parser.isSet("check")) {
        for (const char *o : {"list", "export", "verdict", "report", "paper", "recent", "first", "second", "flaps", "size", "scale", "no-caption", "advantage"})
            if (parser.isSet(o))
                return UsageError(QStringLiteral("--check goes with --format and DATA_DIR alone"));
        c.action = CommandLine::Check;
        if (parser.isSet("format")) {
            c.verdictFormat = parser.value("format").toLower();
            if (!QStringList{"text", "json"}.contains(c.verdictFormat))
                return UsageError(QStringLiteral("bad --format '%1': give text or json").arg(parser.value("format")));
        }
        if (!parser.positional.isEmpty())
            c.dataDir = FileName::FromBytes(parser.positional.constFirst().bytes);
        c.qtArguments = {arguments.value(0)};
        return c;
    }
    const bool exporting = parser.isSet("export");
    const bool judging = parser.isSet("verdict");
    const bool reporting = parser.isSet("report");
    if (int(exporting) + int(judging) + int(reporting) > 1)
        return UsageError(QStringLiteral("--export, --verdict and --report do not go together"));
    for (const char *o : {"first", "second", "flaps", "format", "size", "scale", "no-caption", "advantage"}) {
        const bool verdictOption = qstrcmp(o, "size") && qstrcmp(o, "scale") && qstrcmp(o, "no-caption") && qstrcmp(o, "advantage");
        const bool reportOption = verdictOption ? qstrcmp(o, "format") != 0 : qstrcmp(o, "advantage") == 0;
        if (!exporting && parser.isSet(o) && !(judging && verdictOption) && !(reporting && reportOption))
            return UsageError(QStringLiteral("--%1 needs --export").arg(QLatin1String(o)));
    }
    if (!reporting && parser.isSet("paper"))
        return UsageError(QStringLiteral("--paper needs --report"));
    if ((exporting || judging || reporting) && parser.isSet("recent"))
        return UsageError(QStringLiteral("--recent opens the window; it does not go with --%1")
                              .arg(exporting ? "export" : judging ? "verdict" : "report"));
    if (parser.isSet("list") && (exporting || judging || reporting || parser.isSet("recent")))
        return UsageError(QStringLiteral("--list goes with DATA_DIR alone"));
    if (parser.isSet("list"))
        c.action = CommandLine::List;

    ExportOptions &e = c.exportOptions;
    // The aircraft and flap settings, for a picture or a verdict.
    e.first = parser.value("first");
    e.second = parser.value("second");
    if (parser.isSet("flaps") && !ParseFlaps(parser.value("flaps"), e.flaps))
        return UsageError(QStringLiteral("bad --flaps '%1': give a comma list of 0 to 3").arg(parser.value("flaps")));
    if (judging) {
        if (parser.isSet("format")) {
            c.verdictFormat = parser.value("format").toLower();
            if (!QStringList{"text", "tsv", "json"}.contains(c.verdictFormat))
                return UsageError(QStringLiteral("bad --format '%1': give text, tsv or json").arg(parser.value("format")));
        }
        c.action = CommandLine::Verdict;
    }
    if (reporting) {
        c.reportFile = FileName::FromBytes(parser.values.value(QStringLiteral("report")).bytes);
        const QString file = parser.value("report").toLower();
        if (!file.endsWith(QLatin1String(".pdf")) && !file.endsWith(QLatin1String(".html")) && !file.endsWith(QLatin1String(".htm")))
            return UsageError(QStringLiteral("bad --report '%1': give a file ending in .pdf or .html").arg(parser.value("report")));
        const QString paper = parser.value("paper").toLower();
        if (parser.isSet("paper") && paper != QLatin1String("a4") && paper != QLatin1String("letter"))
            return UsageError(QStringLiteral("bad --paper '%1': give a4 or letter").arg(parser.value("paper")));
        c.reportPaper = paper == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4;
        e.advantage = parser.isSet("advantage");
        c.action = CommandLine::Report;
    }
    if (exporting) {
        e.outDir = FileName::FromBytes(parser.values.value(QStringLiteral("export")).bytes);
        if (e.outDir.isEmpty())
            return UsageError(QStringLiteral("--export needs an output folder"));
        if (parser.isSet("format")) {
            e.format = parser.value("format").toLower();
            if (e.format != QLatin1String("png") && e.format != QLatin1String("svg") && e.format != QLatin1String("pdf"))
                return UsageError(QStringLiteral("bad --format '%1': give png, svg or pdf").arg(parser.value("format")));
        }
        if (parser.isSet("size") && !ParseSize(parser.value("size"), e.size))
            return UsageError(QStringLiteral("bad --size '%1': give WxH, each 1 to %2").arg(parser.value("size")).arg(kMaxPictureSide));
        if (parser.isSet("scale")) {
            bool ok = false;
            e.scale = parser.value("scale").toDouble(&ok);
            if (!ok || !(e.scale >= 0.1 && e.scale <= 10))
                return UsageError(QStringLiteral("bad --scale '%1': give a number from 0.1 to 10").arg(parser.value("scale")));
        }
        if (std::max(e.size.width(), e.size.height()) * e.scale > kMaxPictureSide)
            return UsageError(QStringLiteral("--size times --scale is over %1 pixels a side").arg(kMaxPictureSide));
        if ((QSizeF(e.size) * e.scale).toSize().isEmpty())
            return UsageError(QStringLiteral("--size times --scale is under one pixel a side"));
        e.caption = !parser.isSet("no-caption");
        e.advantage = parser.isSet("advantage");
        c.action = CommandLine::Export;
    }
    c.recent = parser.isSet("recent");
    if (!parser.positional.isEmpty())
        c.dataDir = FileName::FromBytes(parser.positional.constFirst().bytes);

    c.qtArguments = {arguments.value(0)};
    for (const auto &[name, given] : parser.qt)
        if (!((exporting || reporting) && name == QLatin1String("platform")))
            c.qtArguments += given;
    return c;
}

FileName LocatedPath(const FileName &path)
{
    return KindOf(path) != FileKind::None ? path : LocateFileName(path);
}

CommandLine CheckedDataFolder(CommandLine c)
{
    if (c.action == CommandLine::Exit || c.dataDir.isEmpty())
        return c;
    c.dataDir = LocatedPath(c.dataDir);
    const FileKind kind = KindOf(c.dataDir);
    const QString shown = ControlsEscaped(c.dataDir);
    if (kind == FileKind::None)
        return Exit(2, ErrorLine(QStringLiteral("varnel: %1: no such directory").arg(shown)));
    if (kind != FileKind::Directory)
        return Exit(2, ErrorLine(QStringLiteral("varnel: %1: not a directory").arg(shown)));
    return c;
}

