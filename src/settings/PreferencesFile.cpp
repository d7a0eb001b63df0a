#include "settings/PreferencesFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "files/FileChecks.h"

namespace grafolux {

std::string PreferencesFilePath(const std::string& settingsFile) {
    const QString folder = QFileInfo(DecodePath(settingsFile)).path();
    return QFile::encodeName(folder + "/Preferences.ini").toStdString();
}

std::map<std::string, std::string> ReadPreferences(const std::string& path) {
    QSettings file(DecodePath(path), QSettings::IniFormat);
    std::map<std::string, std::string> values;
    for (const QString& key : file.allKeys())
        values[key.toStdString()] = file.value(key).toString().toStdString();
    return values;
}

bool WritePreferencesGroup(const std::string& path, const std::string& group,
                           const std::map<std::string, std::string>& values, std::string* error) {
    QSettings file(DecodePath(path), QSettings::IniFormat);
    file.remove(QString::fromStdString(group));
    for (const auto& [key, text] : values)
        file.setValue(QString::fromStdString(key), QString::fromStdString(text));
    file.sync();
    if (file.status() == QSettings::NoError) return true;
    if (error)
        *error =
            path + (file.status() == QSettings::AccessError ? ": cannot be written"
                                                            : ": is not a valid settings file");
    return false;
}

}  // namespace grafolux
