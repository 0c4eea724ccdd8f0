// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLocale;

// The program's texts are written in Chinese; English translations are compiled in.
namespace InterfaceLanguage {

// Chinese for a Chinese user-interface language and where none was chosen (the C locale);
// English for any other.
bool isChinese(const QLocale &locale);

// Installs, on the running application, the translators for the locale's interface
// language: the program's English texts where it is not Chinese, and Qt's own (the standard
// buttons) for the language shown. Returns whether the interface is Chinese.
bool install(const QLocale &locale);

} // namespace InterfaceLanguage
