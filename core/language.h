#pragma once
// The language of every text the program shows: Russian, the texts as the code writes
// them, or English, their translation (translations/varnel_en.ts). Qt's own texts
// (standard dialogs and buttons) follow through Qt's translations where installed.
#include <QString>
#include <QStringList>

// "ru" and "en", the default first.
const QStringList &Languages();
// Installs the translators of `language` ("ru" or "en") in place of the ones before;
// every widget then gets a LanguageChange event. False for a language not known.
bool InstallLanguage(const QString &language);
QString CurrentLanguage();

// A text kept in its Russian source form (a title that is also a key) as the chosen
// language shows it; a text that is no source text (an aircraft's name) stays as it is.
QString Translated(const QString &source);
