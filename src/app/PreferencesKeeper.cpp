#include "app/PreferencesKeeper.h"

#include <QWidget>

#include "app/Dialogs.h"
#include "app/LogDocument.h"
#include "settings/DefinitionPreferences.h"
#include "settings/PreferencesFile.h"

namespace grafolux {

PreferencesKeeper::PreferencesKeeper(LogDocument& document, const std::string& settingsFile,
                                     Dialogs& dialogs, QWidget& window)
    : QObject(&window),
      path_(PreferencesFilePath(settingsFile)),
      dialogs_(dialogs),
      window_(window) {
    document.SetTableChoices(LoadTablePreferences(path_));
    document.SetRetuneChoices(LoadRetunePreferences(path_));
    document.SetDefinitions(LoadDefinitions(path_));
    document.SetViewChoices(LoadViewPreferences(path_));
    document.SetCacheChoices(LoadCachePreferences(path_));
    document.SetPlotChoices(LoadPlotPreferences(path_));
    // What was read is not written back; each change from here on is.
    connect(&document, &LogDocument::TableChoicesChanged, this,
            [this](const TablePreferences& choices) {
                std::string error;
                Kept(SaveTablePreferences(path_, choices, &error), "table's settings", error);
            });
    connect(&document, &LogDocument::RetuneChoicesChanged, this,
            [this](const RetunePreferences& choices) {
                std::string error;
                Kept(SaveRetunePreferences(path_, choices, &error), "retune's settings", error);
            });
    connect(&document, &LogDocument::ViewChoicesChanged, this,
            [this](const ViewPreferences& choices) {
                std::string error;
                Kept(SaveViewPreferences(path_, choices, &error), "View menu's choices", error);
            });
    connect(&document, &LogDocument::CacheChoicesChanged, this,
            [this](const CachePreferences& choices) {
                std::string error;
                Kept(SaveCacheBypass(path_, choices.bypass, &error), "reopen cache's choice",
                     error);
            });
    connect(&document, &LogDocument::PlotChoicesChanged, this,
            [this](const PlotPreferences& choices) {
                std::string error;
                Kept(SavePlotPreferences(path_, choices, &error), "plots' choices", error);
            });
    connect(&document, &LogDocument::DefinitionsChanged, this, [this, &document] {
        std::string error;
        Kept(SaveDefinitions(path_, document.definitionTexts(), &error), "computed items", error);
    });
}

void PreferencesKeeper::Kept(bool saved, const QString& what, const std::string& error) {
    if (!saved)
        dialogs_.Warning(&window_, "Preferences",
                         "The " + what + " could not be kept for the next start:\n" +
                             QString::fromLocal8Bit(error.c_str()));
}

}  // namespace grafolux
