// The dialog's one setting: the folder of its skin bitmaps.
//
// Kept per user under organisation "Korvath", application "Nexaria40", key
// "Props/Bitmaps_Path".  The value is used as a prefix: file names are
// appended to it as they are, so it is expected to end with a separator.
#pragma once

#include <QString>

namespace platform_qt {

inline constexpr const char* kSettingsOrganisation = "Korvath";
inline constexpr const char* kSettingsApplication = "Nexaria40";
inline constexpr const char* kBitmapsPathKey = "Props/Bitmaps_Path";

// The value is read into a buffer of this many characters, its terminating NUL
// included: a longer value does not fit and counts as unreadable.
inline constexpr int kBitmapsPathBuffer = 200;

// The skin folder, or the empty string when the value is absent, unreadable
// or longer than kBitmapsPathBuffer - 1 characters.
QString ReadBitmapsPath();

// Stores the skin folder (used by set-up and tests).
void WriteBitmapsPath(const QString& folder);

}  // namespace platform_qt
