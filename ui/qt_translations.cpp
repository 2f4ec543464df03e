#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace hsq {

void FollowLanguage(LanguageFlag language) {
    static QTranslator chinese;
    static bool loaded = chinese.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    static bool installed = false;
    const bool wanted = language == kChinese && loaded;
    if (wanted == installed) return;
    installed = wanted ? QCoreApplication::installTranslator(&chinese)
                       : !QCoreApplication::removeTranslator(&chinese);
}

}  // namespace hsq
