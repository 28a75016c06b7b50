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
    // Russian is the source: our translator only for English.
    auto ours = std::make_unique<QTranslator>();
    if (language == QLatin1String("ru") || !ours->load(QStringLiteral(":/i18n/varnel_%1.qm").arg(language)))
        ours.reset();
    auto qts = std::make_unique<QTranslator>();
    if (!qts->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qts.reset();
    replace(i.ours, std::move(ours));
    replace(i.qts, std::move(qts));
    i.language = language;
    return true;
}

QString CurrentLanguage() { return installed().language; }

QString Translated(const QString &source)
{
    if (source.isEmpty())
        return source;
    const QByteArray text = source.toUtf8();
    const QString shown = QCoreApplication::translate("Varnel", text.constData());
    return shown != source ? shown : QCoreApplication::translate("Units", text.constData());  // a unit's name
}
