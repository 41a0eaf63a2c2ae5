#pragma once

class QCoreApplication;
class QTranslator;

namespace voltarix::app {

// Qt's own Russian translation (qtbase_ru.qm from Debian's
// qt6-translations-l10n), so that the standard dialogs and buttons (file and
// colour dialogs, Yes, No, Cancel) read as the platform's Russian ones, like
// the rest of the window. The program's own texts are never translated.
// Returns the installed translator, owned by the application, or null when
// the translation is not installed: the standard dialogs then stay English.
QTranslator* installQtRussianTranslation(QCoreApplication& app);

} // namespace voltarix::app
