#pragma once
// The choices kept for the next start in "Preferences.ini" beside the settings file: the
// tables', the retune's, the View menu's and the computed items' definitions, read into the
// document at start and written each time the document's change; a write that fails says why.

#include <QObject>
#include <string>

class QWidget;

namespace grafolux {

class Dialogs;
class LogDocument;

class PreferencesKeeper : public QObject {
public:
    PreferencesKeeper(LogDocument& document, const std::string& settingsFile, Dialogs& dialogs,
                      QWidget& window);

private:
    void Kept(bool saved, const QString& what, const std::string& error);

    std::string path_;
    Dialogs& dialogs_;
    QWidget& window_;
};

}  // namespace grafolux
