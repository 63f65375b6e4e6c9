#pragma once

#include "text/CoreTexts.h"

#include <QCoreApplication>
#include <QString>

// Texts the program holds in code (captions, page names, its own messages) follow the exact
// language name "Chinese", not the translation file that was loaded: "Language=chinese" loads
// Chinese.qm for the menus and dialogs but keeps these texts English. They live in the same
// translation files, in context "CodeText"; mark each with QT_TRANSLATE_NOOP("CodeText", ...) so
// that lupdate collects it. When the language is "Chinese", the loaded translation is Chinese.qm.
inline QString codeText(Language language, const char* sourceText) {
    return language == Language::Chinese ? QCoreApplication::translate("CodeText", sourceText)
                                         : QString::fromUtf8(sourceText);
}
