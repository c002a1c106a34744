#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>
#include <memory>

namespace app {
namespace {

// Qt's name of each interface language's translation; English needs none.
constexpr std::array<const char*, 13> kQtLanguage = {nullptr, "fr", "de", "it", "ja", "ko", "es",
                                                     "nl",    "ru", "zh_CN", "fi", "cs", "pl"};

struct Installed {
    std::unique_ptr<QTranslator> translator;
    QString file;  // what it was loaded from
};

Installed& installed() {
    static Installed current;
    return current;
}

}  // namespace

bool useQtTranslationFor(int32_t language, const QString& folder) {
    if (!QCoreApplication::instance()) return false;
    Installed& current = installed();
    const char* code = language >= 1 && language <= 12 ? kQtLanguage[static_cast<size_t>(language)] : nullptr;
    const QString file =
        code ? (folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder) + "/qtbase_" + code
             : QString();
    if (file == current.file) return current.translator != nullptr;
    if (current.translator) QCoreApplication::removeTranslator(current.translator.get());
    current = {};
    current.file = file;
    if (!code) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file)) return false;
    QCoreApplication::installTranslator(translator.get());
    current.translator = std::move(translator);
    return true;
}

}  // namespace app
