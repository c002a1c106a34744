// Qt's setText gives a button the new title's mnemonic as its key, dropping the key it had: titles
// of buttons with keys go through here.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QString>

namespace app {

inline void setTitleKeepingKey(QAbstractButton* button, const QString& title) {
    const QKeySequence key = button->shortcut();
    button->setText(title);
    button->setShortcut(key);
}

}  // namespace app
