#pragma once

class QCoreApplication;

namespace tavimor {

// Qt's own texts (the file dialogs, the Yes and No of a question, a text
// box's context menu) in the user's language, as Qt's translations for it
// say (Debian's qt6-translations-l10n). The program's own captions and
// messages are not translated and stay exactly as they are. Where no
// translation is installed, nothing changes.
void loadToolkitTranslations(QCoreApplication& application);

} // namespace tavimor
