#include "core/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {
struct Installed {
    QString language = QStringLiteral("ru");
    std::unique_ptr<QTranslator> ours, qts;
};

Installed &installed()
{
    static Installed i;
    return i;
}

// Our translator of a language, built into the program; none where it cannot be loaded.
std::unique_ptr<QTranslator> OursFor(const QString &language)
{
    auto ours = std::make_unique<QTranslator>();
    if (!ours->load(QStringLiteral(":/i18n/varnel_%1.qm").arg(language)))
        ours.reset();
    return ours;
}

void replace(std::unique_ptr<QTranslator> &slot, std::unique_ptr<QTranslator> next)
{
    if (slot)
        QCoreApplication::removeTranslator(slot.get());
    slot = std::move(next);
    if (slot)
        QCoreApplication::installTranslator(slot.get());
}
}  // namespace

const QStringList &Languages()
{
    static const QStringList languages{QStringLiteral("ru"), QStringLiteral("en")};
    return languages;
}

bool InstallLanguage(const QString &language)
{
    if (!Languages().contains(language))
        return false;
    Installed &i = installed();
    // Russian is the source: its translator holds only the forms of counted texts.
    auto ours = OursFor(language);
    auto qts = std::make_unique<QTranslator>();
    if (!qts->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qts.reset();
    replace(i.ours, std::move(ours));
    replace(i.qts, std::move(qts));
    i.language = language;
    return true;
}

namespace {
// Before a language is chosen the program speaks Russian, the source, and counts in it:
// its translator of counted texts is there from the start.
void InstallSourceLanguage()
{
    Installed &i = installed();
    if (!i.ours)
        replace(i.ours, OursFor(i.language));
}
Q_COREAPP_STARTUP_FUNCTION(InstallSourceLanguage)
}  // namespace

QString CurrentLanguage() { return installed().language; }

QString Translated(const QString &source)
{
    if (source.isEmpty())
        return source;
    const QByteArray text = source.toUtf8();
    const QString shown = QCoreApplication::translate("Varnel", text.constData());
    return shown != source ? shown : QCoreApplication::translate("Units", text.constData());  // a unit's name
}
