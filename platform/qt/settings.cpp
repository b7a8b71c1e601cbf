#include "platform/qt/settings.h"

#include <QSettings>

namespace platform_qt {

QString ReadBitmapsPath() {
    QSettings settings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
    const QVariant value = settings.value(QString::fromLatin1(kBitmapsPathKey));
    if (!value.isValid() || !value.canConvert<QString>()) return {};
    const QString text = value.toString();
    // Like a fixed 200-character read: a value that does not fit with its NUL is a failed read.
    // Characters, not bytes: a folder named in another script fits as its Latin twin does.
    if (text.toUcs4().size() + 1 > kBitmapsPathBuffer) return {};
    return text;
}

void WriteBitmapsPath(const QString& folder) {
    QSettings settings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
    settings.setValue(QString::fromLatin1(kBitmapsPathKey), folder);
}

}  // namespace platform_qt
