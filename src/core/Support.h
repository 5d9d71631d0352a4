#pragma once

// Start-up step: sets LanguageCode from the user's locale.  Runs before the application
// object and any window exist.
void DetectLanguage();
