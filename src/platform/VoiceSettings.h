#pragma once

#include <QString>
#include <optional>

namespace platform {

// The user's own settings for the voice, in voce.conf of the user's settings
// folder (~/.config/mercanzola/voce.conf): a line "lentezza = 2".
QString voiceSettingsFile();

// The slowness of a file's "lentezza" line, as slownessFromText reads it;
// none when there is no such file or line. A value it cannot read is told in
// one line on standard error, and left out.
std::optional<int> slownessInSettings(const QString& file);

// "1", "2" or "3" (each slower than the one before) as 0, 1 or 2; none for any
// other text. The command line's --lentezza reads its value the same way.
std::optional<int> slownessFromText(const QString& text);

} // namespace platform
