#pragma once
// The one way the window loads logs. A load runs on the window's thread with the progress bar
// moving and the window's events running; a second load cannot start inside it; the log is
// built aside and handed over only when complete; a window closed meanwhile closes once the
// load is over.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "logcache/CachedLoad.h"
#include "logdata/LogLoader.h"

class QProgressBar;
class QWidget;

namespace grafolux {

class LogDocument;

class LogLoading : public QObject {
public:
    // Loads follow the document's cache choices as they are when each starts.
    LogLoading(const LogDocument& document, QWidget& window, QProgressBar& bar);

    bool Busy() const { return busy_; }
    // Asked by the window's close: true while a load runs, and the window then closes after it.
    bool PostponeClose();

    // Runs `load`, which reports through the progress it is handed; refused (false) while
    // another load runs. `done` follows with the bar at rest, then the postponed close.
    bool Run(const std::function<void(const LoadProgress&)>& load,
             const std::function<void()>& done);

    // One log: `loaded` gets it only when it loaded completely, `failed` the reason otherwise.
    bool LoadOne(const std::string& path, Colour itemColour, const LoadOptions& options,
                 const std::function<void(LogData&)>& loaded,
                 const std::function<void(const LoadError&)>& failed = {});
    // Several logs side by side, each all or nothing: `done` gets one result per path.
    bool LoadMany(const std::vector<std::string>& paths, Colour itemColour,
                  const LoadOptions& options,
                  const std::function<void(std::vector<LoadResult>&)>& done);

private:
    void ShowProgress(int64_t done, int64_t total);
    void ShowIdle();

    CacheChoices ChosenCache() const;

    const LogDocument& document_;
    QWidget& window_;
    QProgressBar& bar_;
    bool busy_ = false;
    bool closeAfter_ = false;
};

}  // namespace grafolux
