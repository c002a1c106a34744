// What the speed-dial sheet's field takes: at most 20 characters of "0123456789+*#". As the
// field's validator it refuses an edit that breaks the rule, so the field keeps its text; text
// that the program puts into the field is not checked here (the page checks it again on OK).
#pragma once

#include <QString>
#include <QValidator>
#include <QVariant>

namespace settings {

class SpeedDialFormatter : public QValidator {
public:
    static constexpr int kMaxLength = 20;

    using QValidator::QValidator;

    // Every character one of "0123456789+*#".
    static bool hasOnlyDialCharacters(const QString& text);

    // The formatter's three operations: a string object passes unchanged, anything else is no
    // text; the object of a text is the same text; a partial text is valid by the rule above.
    static QVariant stringForObjectValue(const QVariant& object);
    static bool getObjectValue(QVariant* object, const QString& string, QString* error);
    static bool isPartialStringValid(const QString& partialString, QString* newEditingString, QString* error);

    State validate(QString& input, int& pos) const override;
};

}  // namespace settings
