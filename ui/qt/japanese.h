// Qt's own Japanese translations, so that the toolkit's buttons and menus speak Japanese.
#pragma once

class QCoreApplication;

namespace orindel {

// Installs Qt's Japanese translations on the application; false when they are not installed.
bool installJapaneseTranslations(QCoreApplication& app);

}  // namespace orindel
