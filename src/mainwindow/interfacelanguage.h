// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLocale;
class QString;

// The program's texts are written in Chinese; English translations are compiled in.
namespace InterfaceLanguage {

// Chinese for a Chinese user-interface language and where none was chosen (the C locale);
// English for any other.
bool isChinese(const QLocale &locale);

// Installs, on the running application, the translators for the locale's interface
// language: the program's English texts where it is not Chinese, and Qt's own (the standard
// buttons) for the language shown. Returns whether the interface is Chinese.
bool install(const QLocale &locale);

// A text of the command line's own (context "CommandLine"), in the interface language of the
// system's locale. The command line speaks before any application object exists, or without
// one, so its translation is looked up here rather than through installed translators.
QString commandLineText(const char *source);

} // namespace InterfaceLanguage
