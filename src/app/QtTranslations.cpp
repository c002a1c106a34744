#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "app/TextCatalogue.h"

namespace app {
namespace {

// Qt's name of an interface language's translation: the catalogue's code, but for Chinese, whose
// Qt file names its script's region. English needs none.
QString qtLanguageCode(int32_t language) {
    if (language == 0) return {};
    const std::string_view code = catalogueLanguageCode(language);
    if (code == "zh") return QStringLiteral("zh_CN");
    return QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
}

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
    const QString code = qtLanguageCode(language);
    const QString file =
        !code.isEmpty() ? (folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder) + "/qtbase_" + code
                        : QString();
    if (file == current.file) return current.translator != nullptr;
    if (current.translator) QCoreApplication::removeTranslator(current.translator.get());
    current = {};
    current.file = file;
    if (code.isEmpty()) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file)) return false;
    QCoreApplication::installTranslator(translator.get());
    current.translator = std::move(translator);
    return true;
}

}  // namespace app
