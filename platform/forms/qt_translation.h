#pragma once
// Qt's own texts (standard buttons; the file, print, colour and font dialogs) in Simplified Chinese,
// as every text of the program is: Qt's translation of its base module, qtbase_zh_CN.qm, from the
// folder of Qt's translations.

namespace forms {

// Installs the translation into the application once; false when the file is not there (Qt's
// texts then stay in English and the program runs on).
bool installQtTranslation();

}  // namespace forms
