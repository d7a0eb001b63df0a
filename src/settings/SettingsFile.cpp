#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/AtomicFile.h"
#include "files/FileChecks.h"
#include "logdata/Rounding.h"
#include "logdata/TextFields.h"
#include "settings/SettingsText.h"

namespace grafolux {

namespace {

// Creates the folder (and any missing parent: a fresh account may have no configuration folder
// yet) unless something of that name exists. Failure is not an error: reading then finds no
// file and saving fails.
void EnsureFolder(const QString& folder) {
    if (!QFileInfo::exists(folder)) QDir().mkpath(folder);
}

std::string SettingsFileIn(bool makeFolder) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (TrimWhite(folder.toStdString()).empty()) {
        folder = QCoreApplication::applicationDirPath();
    } else {
        folder += QStringLiteral("/Grafolux");
        if (makeFolder) EnsureFolder(folder);
    }
    return QFile::encodeName(QDir(folder).filePath(QStringLiteral("Grafolux.cfg"))).toStdString();
}

}  // namespace

std::string SettingsFilePath() { return SettingsFileIn(true); }

std::string SettingsFileToRead() { return SettingsFileIn(false); }

Settings ParseSettings(std::string_view text) {
    Settings settings;
    std::string value;
    if (GetSetting(text, "RecentlyOpened", value)) {
        for (const std::string& line : SplitLines(value)) {
            std::string entry = TrimWhite(line);
            if (!entry.empty()) settings.strRecent.push_back(std::move(entry));
        }
    }
    if (GetSetting(text, "WindowState", value)) {
        const auto number = [&](int32_t index) {
            return RoundLong(Val(GetField(value, index, ",")));
        };
        settings.window = WindowState{number(1), number(2), number(3), number(4), number(5)};
    }
    return settings;
}

std::string FormatSettings(const std::vector<std::string>& strRecent, const WindowState& window) {
    std::string text = "<RecentlyOpened>\r\n";
    for (const std::string& entry : strRecent) text.append(entry).append("\r\n");
    text += "</RecentlyOpened>\r\n";
    text += "WindowState=" + std::to_string(window.left) + "," + std::to_string(window.top) + "," +
            std::to_string(window.width) + "," + std::to_string(window.height) + "," +
            (window.state == 2 ? "2" : "0") + "\r\n";
    return text;
}

Settings LoadSettingsFile(const std::string& path) {
    if (!FileExists(path)) return {};
    QFile file(DecodePath(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {};
    return ParseSettings(std::string_view(bytes.constData(), bytes.size()));
}

bool SaveSettingsFile(const std::string& path, const std::vector<std::string>& strRecent,
                      const WindowState& window, std::string* error) {
    QString reason;
    if (WriteFileAtomically(DecodePath(path), FormatSettings(strRecent, window), &reason))
        return true;
    if (error) *error = path + ": " + reason.toStdString();
    return false;
}

}  // namespace grafolux
