#include "settings/SpeedDialFormatter.h"

namespace settings {

bool SpeedDialFormatter::hasOnlyDialCharacters(const QString& text) {
    static const QString kDialCharacters = QStringLiteral("0123456789+*#");
    for (QChar c : text)
        if (!kDialCharacters.contains(c)) return false;
    return true;
}

QVariant SpeedDialFormatter::stringForObjectValue(const QVariant& object) {
    if (object.typeId() != QMetaType::QString) return {};
    return QString(object.toString());
}

bool SpeedDialFormatter::getObjectValue(QVariant* object, const QString& string, QString*) {
    if (object) *object = QString(string);
    return true;
}

bool SpeedDialFormatter::isPartialStringValid(const QString& partialString, QString* newEditingString, QString*) {
    if (partialString.length() > kMaxLength || !hasOnlyDialCharacters(partialString)) return false;
    if (newEditingString) *newEditingString = partialString;
    return true;
}

QValidator::State SpeedDialFormatter::validate(QString& input, int&) const {
    return isPartialStringValid(input, nullptr, nullptr) ? Acceptable : Invalid;
}

}  // namespace settings
