#include "pages/caption.h"

#include "pages/application.h"
#include "pages/comparison_table.h"
#include "pages/pages_font.h"
#include "presentation/chart_defs.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {
constexpr int kMargin = 6;  // the band's room left and right of the words, above and below them

// A run of the words in one colour: an aircraft's (1, 2) or the page's text (0).
struct Run {
    QString text;
    int aircraft;
};

QString OneLine(QString name)
{
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = QChar(QChar::ReplacementCharacter);
    return name;
}

// The names joined by a dash, then the flap settings; `colours` names each aircraft's
// curves after its name.
QList<Run> Runs(const PictureCaption &caption, bool colours)
{
    QList<Run> runs;
    const QString names[2] = {OneLine(caption.first), OneLine(caption.second)};
    for (int i = 0; i < 2; ++i) {
        if (names[i].isEmpty())
            continue;
        if (!runs.isEmpty())
            runs.append({QStringLiteral(" — "), 0});
        runs.append({names[i], i + 1});
        if (colours)
            runs.append({i == 0 ? QCoreApplication::translate("Varnel", " (синие кривые)") : QCoreApplication::translate("Varnel", " (красные кривые)"), 0});
    }
    if (runs.isEmpty())
        runs.append({QCoreApplication::translate("Varnel", "самолёты не выбраны"), 0});
    QStringList flaps;
    for (int i = 0; i < 4; ++i)
        if (caption.flaps.Shows(i))
            flaps << QString::number(i);
    runs.append({QCoreApplication::translate("Varnel", " · закрылки: ") + (flaps.isEmpty() ? QCoreApplication::translate("Varnel", "нет") : flaps.join(QStringLiteral(", "))), 0});
    return runs;
}

QString Joined(const QList<Run> &runs)
{
    QString text;
    for (const Run &run : runs)
        text += run.text;
    return text;
}

qreal Width(const QFontMetricsF &metrics, const QList<Run> &runs, bool names)
{
    qreal width = 0;
    for (const Run &run : runs)
        if ((run.aircraft != 0) == names)
            width += metrics.horizontalAdvance(run.text);
    return width;
}

// The names, bold, stand out of the words between them.
QFont NameFont()
{
    QFont font = PagesFont();
    font.setBold(true);
    return font;
}

// The names (measured by `metrics`; the other words by `plain`) cut short, with an
// ellipsis, until the words fit `room`: the shorter name keeps up to half of what the
// other words leave, the longer one gets the rest.
void Elide(QList<Run> &runs, const QFontMetricsF &metrics, const QFontMetricsF &plain, qreal room)
{
    qreal left = room - Width(plain, runs, false);
    if (Width(metrics, runs, true) <= left)
        return;
    QList<Run *> names;
    for (Run &run : runs)
        if (run.aircraft != 0)
            names.append(&run);
    std::sort(names.begin(), names.end(), [&](const Run *a, const Run *b) {
        return metrics.horizontalAdvance(a->text) < metrics.horizontalAdvance(b->text);
    });
    for (qsizetype i = 0; i < names.size(); ++i) {
        const qreal share = std::max<qreal>(0, left / qreal(names.size() - i));
        names[i]->text = metrics.elidedText(names[i]->text, Qt::ElideRight, share);
        left -= metrics.horizontalAdvance(names[i]->text);
    }
}
}  // namespace

QString CaptionTitle(const PictureCaption &caption) { return Joined(Runs(caption, false)); }

QString CaptionDescription(const PictureCaption &caption)
{
    const QString words = Joined(Runs(caption, true));
    return caption.page.isEmpty() ? words : OneLine(caption.page) + QStringLiteral(": ") + words;
}

QList<QPair<QString, QString>> CaptionMetadata(const PictureCaption &caption)
{
    return {{QStringLiteral("Title"), CaptionTitle(caption)},
            {QStringLiteral("Description"), CaptionDescription(caption)},
            {QStringLiteral("Software"), ApplicationTitle()}};
}

QColor AircraftColor(int aircraft)
{
    // The first curve of the aircraft's block on the first chart that has one.
    for (const ChartDef *chart : ChartDefs())
        for (const SeriesDef &series : chart->series)
            if (series.aircraft == aircraft && series.curveKind == 0)
                return QColor::fromRgb(series.color);
    return Qt::black;
}

int CaptionBandHeight() { return int(QFontMetricsF(NameFont()).height() + 0.999) + 2 * kMargin; }

int CaptionBandHeightFor(int pictureHeight)
{
    const int band = CaptionBandHeight();
    return pictureHeight >= 3 * band ? band : 0;
}

void DrawCaption(QPainter &painter, const PictureCaption &caption, int width, const QPalette &palette)
{
    const QRect band(0, 0, width, CaptionBandHeight());
    painter.save();
    painter.setClipRect(band);
    painter.fillRect(band, palette.color(QPalette::Window));
    const QFont font = PagesFont();
    const QFontMetricsF metrics(NameFont(), painter.device());
    const QFontMetricsF plain(font, painter.device());
    QList<Run> runs = Runs(caption, false);
    Elide(runs, metrics, plain, width - 2 * kMargin);
    const qreal all = Width(plain, runs, false) + Width(metrics, runs, true);
    qreal x = std::max<qreal>(kMargin, (width - all) / 2);
    const qreal baseline = (band.height() - metrics.height()) / 2 + metrics.ascent();
    for (const Run &run : runs) {
        painter.setFont(run.aircraft ? NameFont() : font);
        painter.setPen(run.aircraft ? AircraftColor(run.aircraft) : palette.color(QPalette::WindowText));
        painter.drawText(QPointF(x, baseline), run.text);
        x += (run.aircraft ? metrics : plain).horizontalAdvance(run.text);
    }
    painter.restore();
}
