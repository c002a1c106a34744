// Qt's own dialogs and buttons (the Open and Save dialogs, standard buttons) in the chosen interface
// language: Qt's translations of its own texts, from the folder where the system keeps them.
#pragma once

#include <QString>
#include <cstdint>

namespace app {

// Puts Qt's translation of the interface language (0..12) in place of the one before. English, a
// language outside 1..12, or one for which the folder holds no translation leaves Qt's English
// texts, without a word. folder empty: the system's Qt translations folder. True when a
// translation is in use.
bool useQtTranslationFor(int32_t language, const QString& folder = {});

}  // namespace app
