// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/interfacelanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace InterfaceLanguage {

bool isChinese(const QLocale &locale)
{
    const QString first = locale.uiLanguages().value(0);
    const QLocale::Language language = QLocale(first).language();
    return first.isEmpty() || language == QLocale::Chinese || language == QLocale::C;
}

bool install(const QLocale &locale)
{
    const bool chinese = isChinese(locale);
    if (!chinese) {
        auto *own = new QTranslator(QCoreApplication::instance());
        if (own->load(QStringLiteral(":/i18n/moriv_en.qm")))
            QCoreApplication::installTranslator(own);
    }
    // With Chinese texts the standard buttons should read 确定, 是 and 否; Qt's English
    // texts remain when its translations are not installed.
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(chinese ? QLocale(QLocale::Chinese, QLocale::China) : locale,
                 QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    return chinese;
}

QString commandLineText(const char *source)
{
    static const std::unique_ptr<QTranslator> english = [] {
        auto translator = std::make_unique<QTranslator>();
        if (isChinese(QLocale::system())
            || !translator->load(QStringLiteral(":/i18n/moriv_en.qm")))
            translator.reset();
        return translator;
    }();
    const QString translated = english ? english->translate("CommandLine", source) : QString();
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

} // namespace InterfaceLanguage
