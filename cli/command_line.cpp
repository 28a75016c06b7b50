#include "cli/command_line.h"
#include "catalogue/readers.h"
#include "cli/check_command.h"
#include "cli/export_command.h"
#include "cli/named_crafts.h"
#include "cli/rank_command.h"
#include "cli/report_command.h"
#include "cli/terminal_text.h"
#include "cli/verdict_command.h"
#include "core/language.h"
#include "verdict/ranking.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>


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
    return Exit(2, ErrorLine(ProgramError(why)) +
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

// The usage's reason for a bad value: "bad --OPTION 'VALUE': " and what to give.
QString Bad(const Parsed &parser, const char *option, const QString &give)
{
    return QStringLiteral("bad --%1 '%2': %3").arg(QLatin1String(option), parser.value(option), give);
}

// A value as the command line names it.
template <class T>
struct Named {
    const char *name;
    T value;
};

enum class PictureFormat { Png, Svg, Pdf };
constexpr Named<PictureFormat> kPictureFormats[] = {{"png", PictureFormat::Png}, {"svg", PictureFormat::Svg}, {"pdf", PictureFormat::Pdf}};
constexpr Named<TextFormat> kTextFormats[] = {{"text", TextFormat::Text}, {"tsv", TextFormat::Tsv}, {"json", TextFormat::Json}};
constexpr Named<TextFormat> kCheckFormats[] = {{"text", TextFormat::Text}, {"json", TextFormat::Json}};
constexpr Named<QPageSize::PageSizeId> kPapers[] = {{"a4", QPageSize::A4}, {"letter", QPageSize::Letter}};

// The value option names, letter case aside, kept in value; the usage's reason when it
// names none of names; value as it was when the option is not given.
template <class T, size_t N>
QString Chosen(const Parsed &parser, const char *option, const Named<T> (&names)[N], T &value)
{
    if (!parser.isSet(option))
        return QString();
    const QString given = parser.value(option).toLower();
    for (const Named<T> &n : names)
        if (given == QLatin1String(n.name)) {
            value = n.value;
            return QString();
        }
    QStringList all;
    for (const Named<T> &n : names)
        all << QString::fromLatin1(n.name);
    const QString last = all.takeLast();
    return Bad(parser, option, QStringLiteral("give %1 or %2").arg(all.join(QStringLiteral(", ")), last));
}

// --lang and --units; the usage's reason when one is bad.
QString ReadLanguageAndUnits(const Parsed &parser, CommandLine &c)
{
    if (parser.isSet("lang")) {
        c.language = parser.value("lang").toLower();
        if (!Languages().contains(*c.language))
            return Bad(parser, "lang", QStringLiteral("give ru or en"));
    }
    if (parser.isSet("units")) {
        c.units = UnitSystemNamed(parser.value("units").toLower());
        if (!c.units)
            return Bad(parser, "units", QStringLiteral("give metric, imperial or knots"));
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

// What --rank takes besides the flap settings: the reference, the place, the order and
// the format.
QString ReadRank(const Parsed &parser, CommandLine &c)
{
    c.rankName = parser.value("rank");
    if (parser.isSet("altitude") && !(c.rankAltitude = RankPlace(parser.value("altitude"), -10000, 100000)))
        return Bad(parser, "altitude", QStringLiteral("give a number from -10000 to 100000"));
    if (parser.isSet("speed") && !(c.rankSpeed = RankPlace(parser.value("speed"), 0, 10000)))
        return Bad(parser, "speed", QStringLiteral("give a number from 0 to 10000"));
    if (parser.isSet("by")) {
        c.rankBy = RankColumnNamed(RankColumns(c.exportOptions.flaps), parser.value("by").toLower());
        if (c.rankBy < -1)
            return Bad(parser, "by", QStringLiteral("give wins or a measure of the flap settings ranked"));
    }
    return Chosen(parser, "format", kTextFormats, c.textFormat);
}

QString ReadCheck(const Parsed &parser, CommandLine &c) { return Chosen(parser, "format", kCheckFormats, c.textFormat); }

QString ReadVerdict(const Parsed &parser, CommandLine &c) { return Chosen(parser, "format", kTextFormats, c.textFormat); }

QString ReadReport(const Parsed &parser, CommandLine &c)
{
    c.reportFile = FileName::FromBytes(parser.values.value(QStringLiteral("report")).bytes);
    const QString file = parser.value("report").toLower();
    if (!file.endsWith(QLatin1String(".pdf")) && !file.endsWith(QLatin1String(".html")) && !file.endsWith(QLatin1String(".htm")))
        return Bad(parser, "report", QStringLiteral("give a file ending in .pdf or .html"));
    c.exportOptions.advantage = parser.isSet("advantage");
    return Chosen(parser, "paper", kPapers, c.reportPaper);
}

// The picture's format, size and scale, and what is drawn on it.
QString ReadExport(const Parsed &parser, CommandLine &c)
{
    ExportOptions &e = c.exportOptions;
    e.outDir = FileName::FromBytes(parser.values.value(QStringLiteral("export")).bytes);
    if (e.outDir.isEmpty())
        return QStringLiteral("--export needs an output folder");
    PictureFormat format = PictureFormat::Png;
    if (const QString why = Chosen(parser, "format", kPictureFormats, format); !why.isEmpty())
        return why;
    for (const Named<PictureFormat> &f : kPictureFormats)
        if (f.value == format)
            e.format = QString::fromLatin1(f.name);  // as the pictures name their formats
    if (parser.isSet("size") && !ParseSize(parser.value("size"), e.size))
        return Bad(parser, "size", QStringLiteral("give WxH, each 1 to %1").arg(kMaxPictureSide));
    if (parser.isSet("scale")) {
        bool ok = false;
        e.scale = parser.value("scale").toDouble(&ok);
        if (!ok || !(e.scale >= 0.1 && e.scale <= 10))
            return Bad(parser, "scale", QStringLiteral("give a number from 0.1 to 10"));
    }
    if (std::max(e.size.width(), e.size.height()) * e.scale > kMaxPictureSide)
        return QStringLiteral("--size times --scale is over %1 pixels a side").arg(kMaxPictureSide);
    if ((QSizeF(e.size) * e.scale).toSize().isEmpty())
        return QStringLiteral("--size times --scale is under one pixel a side");
    e.caption = !parser.isSet("no-caption");
    e.advantage = parser.isSet("advantage");
    return QString();
}

QString ReadWindow(const Parsed &parser, CommandLine &c)
{
    c.recent = parser.isSet("recent");
    return QString();
}

QString ReadNothing(const Parsed &, CommandLine &) { return QString(); }

// What the modes without a window print, their status with stdout checked.
int ExportMode(const CommandLine &c) { return PrintedWritten(RunExport(c.exportOptions, c.dataDir)); }
int ReportMode(const CommandLine &c) { return PrintedWritten(RunReport(c)); }
int VerdictMode(const CommandLine &c) { return Printed(RunVerdict(c)); }
int ListMode(const CommandLine &c) { return Printed(RunList(c.dataDir)); }
int CheckMode(const CommandLine &c) { return Printed(RunCheck(c)); }
int RankMode(const CommandLine &c) { return Printed(RunRank(c)); }

// A mode of the command line. Options that choose two modes do not go together: of the
// two rows, the later one says so, %1 naming the other mode. An option a mode does not
// take is refused by the mode's own words when it goes alone, else by "--OPTION needs
// --MODE", the first mode not alone that takes it. --lang and --units go with every mode.
struct Mode {
    CommandLine::Action action;
    const char *picks;  // the options that choose it, the one naming it first
    const char *takes;  // the other options it takes
    const char *clash;  // what it says of another mode's option (%1: the other mode)
    bool alone;         // whether clash is also what it says of any option it does not take
    Runs runs;
    QString (*read)(const Parsed &, CommandLine &);  // its options' values; the usage's reason when one is bad
    int (*run)(const CommandLine &);                 // null: the window, which main opens
};
constexpr const char *kTogether = "--export, --verdict and --report do not go together";
constexpr Mode kModes[] = {
    {CommandLine::Export, "export", "first second flaps format size scale no-caption advantage", kTogether, false,
     Runs::Offscreen, ReadExport, ExportMode},
    {CommandLine::Verdict, "verdict", "first second flaps format", kTogether, false, Runs::Text, ReadVerdict, VerdictMode},
    {CommandLine::Report, "report", "first second flaps advantage paper", kTogether, false, Runs::Offscreen, ReadReport, ReportMode},
    // The window is also the mode no option chooses.
    {CommandLine::OpenWindow, "recent", "", "--recent opens the window; it does not go with --%1", false, Runs::Window,
     ReadWindow, nullptr},
    {CommandLine::List, "list", "", "--list goes with DATA_DIR alone", false, Runs::Alone, ReadNothing, ListMode},
    {CommandLine::Check, "check", "format", "--check goes with --format and DATA_DIR alone", true, Runs::Text, ReadCheck,
     CheckMode},
    {CommandLine::Rank, "rank altitude speed by", "flaps format", "--rank does not go with --%1", true, Runs::Text, ReadRank,
     RankMode},
};

QStringList Words(const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

// The mode an option chooses; null for the others.
const Mode *ModeChosenBy(const QString &option)
{
    for (const Mode &m : kModes)
        if (Words(m.picks).contains(option))
            return &m;
    return nullptr;
}

// The mode the options given choose: the last row one of them chooses, else the window.
const Mode &ChosenMode(const Parsed &parser)
{
    for (auto m = std::rbegin(kModes); m != std::rend(kModes); ++m)
        for (const QString &o : Words(m->picks))
            if (parser.values.contains(o))
                return *m;
    return *ModeChosenBy(QStringLiteral("recent"));
}

// The option that names a mode.
QString NameOf(const Mode &mode) { return Words(mode.picks).constFirst(); }

// A mode's clash text, %1 standing for what.
QString Said(const Mode &mode, const QString &what) { return QString::fromLatin1(mode.clash).replace(QLatin1String("%1"), what); }

// What mode says of option, which it does not take.
QString Refusal(const Mode &mode, const QString &option)
{
    if (const Mode *other = ModeChosenBy(option))
        return other > &mode ? Said(*other, NameOf(mode)) : Said(mode, NameOf(*other));
    if (mode.alone)
        return Said(mode, option);
    const auto taker = std::find_if(std::begin(kModes), std::end(kModes), [&](const Mode &m) { return !m.alone && Words(m.takes).contains(option); });
    return QStringLiteral("--%1 needs --%2").arg(option, NameOf(*taker));
}

// Why the options given do not go with mode; empty: they do. A mode chosen without
// its own option needs it; then other modes' options are refused before the rest, each
// in the order the table first names it.
QString Misfit(const Parsed &parser, const Mode &mode)
{
    QStringList picks = Words(mode.picks);
    const QString own = picks.takeFirst();  // the others choose it too, as --altitude chooses --rank
    if (!picks.isEmpty() && !parser.values.contains(own))
        return QStringLiteral("--%1 and --%2 need --%3").arg(picks.mid(0, picks.size() - 1).join(QStringLiteral(", --")), picks.constLast(), own);
    const QStringList taken = Words(mode.picks) + Words(mode.takes) + QStringList{"lang", "units"};
    QStringList named;
    for (const Mode &m : kModes)
        named += Words(m.picks) + Words(m.takes);
    named.removeDuplicates();
    for (const bool modes : {true, false})
        for (const QString &name : named)
            if (parser.values.contains(name) && !taken.contains(name) && (ModeChosenBy(name) != nullptr) == modes)
                return Refusal(mode, name);
    return QString();
}

// The options every mode reads: the aircraft, the flap settings and DATA_DIR; and what
// Qt gets.
QString ReadCommon(const Parsed &parser, const Mode &mode, const QByteArray &program, CommandLine &c)
{
    c.action = mode.action;
    c.exportOptions.first = parser.value("first");
    c.exportOptions.second = parser.value("second");
    if (parser.isSet("flaps") && !ParseFlaps(parser.value("flaps"), c.exportOptions.flaps))
        return Bad(parser, "flaps", QStringLiteral("give a comma list of 0 to 3"));
    if (!parser.positional.isEmpty())
        c.dataDir = FileName::FromBytes(parser.positional.constFirst().bytes);
    // Export draws offscreen whatever -platform says; the text modes have no GUI.
    c.qtArguments = {program};
    for (const auto &[name, given] : parser.qt)
        if (mode.runs == Runs::Window || (mode.runs == Runs::Offscreen && name != QLatin1String("platform")))
            c.qtArguments += given;
    return QString();
}
}  // namespace

ModeRun RunOf(CommandLine::Action action)
{
    for (const Mode &m : kModes)
        if (m.action == action)
            return {m.runs, m.run};
    return {Runs::Alone, nullptr};
}

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
    if (const QString why = ReadLanguageAndUnits(parser, c); !why.isEmpty())
        return UsageError(why);
    if (parser.positional.size() > 1)
        return UsageError(QStringLiteral("more than one DATA_DIR given"));
    const Mode &mode = ChosenMode(parser);
    QString why = Misfit(parser, mode);
    if (why.isEmpty())
        why = ReadCommon(parser, mode, arguments.value(0), c);
    if (why.isEmpty())
        why = mode.read(parser, c);
    c.exportOptions.view = ModeView(c);
    return why.isEmpty() ? c : UsageError(why);
}

CommandLine CheckedDataFolder(CommandLine c)
{
    if (c.action == CommandLine::Exit || c.dataDir.isEmpty())
        return c;
    c.dataDir = LocatedPath(c.dataDir);
    const FileKind kind = KindOf(c.dataDir);
    const QString shown = ControlsEscaped(c.dataDir);
    if (kind == FileKind::None)
        return Exit(2, ErrorLine(ProgramError(QStringLiteral("%1: no such directory").arg(shown))));
    if (kind != FileKind::Directory)
        return Exit(2, ErrorLine(ProgramError(QStringLiteral("%1: not a directory").arg(shown))));
    return c;
}

