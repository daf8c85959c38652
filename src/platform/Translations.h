#pragma once

namespace platform {

// Installs Qt's own Japanese texts (file dialogs, standard buttons, command-line parser
// messages) into the running application, once. False when they are not installed on the
// machine (Debian package qt6-translations-l10n); Qt then speaks English.
bool InstallQtTranslations();

}  // namespace platform
