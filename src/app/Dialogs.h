#pragma once
// The window's modal dialogs behind one interface, so that tests can script a chosen path,
// a cancel (an empty result) or a colour.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "app/DialogChecks.h"

class QWidget;

namespace grafolux {

// A row of the Keyboard Shortcuts list: the keys as typed ("Ctrl+Shift+O") and what they do.
struct ShortcutRow {
    QString keys;
    QString what;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // `filters` as "Name (*.ext)"; `selectedFilter` 1-based. Empty on cancel.
    virtual QString GetOpenFileName(QWidget* parent, const QString& initial,
                                    const QStringList& filters, int selectedFilter) = 0;
    virtual QString GetSaveFileName(QWidget* parent, const QString& initial,
                                    const QStringList& filters, const QString& defaultSuffix) = 0;
    // Several existing files, starting in the folder `initial` (or at the file `initial`);
    // empty on cancel.
    virtual QStringList GetOpenFileNames(QWidget* parent, const QString& initial,
                                         const QStringList& filters, int selectedFilter) = 0;
    // Nothing on cancel.
    virtual std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) = 0;
    // A whole number from `minimum` to `maximum`; nothing on cancel.
    virtual std::optional<int> GetInteger(QWidget* parent, const QString& title,
                                          const QString& label, int value, int minimum,
                                          int maximum) = 0;
    // A number typed as text, starting at `text`, as `read` reads it (OK only while it does);
    // nothing on cancel.
    virtual std::optional<double> GetNumber(QWidget* parent, const QString& title,
                                            const QString& label, const QString& text,
                                            const NumberReader& read) = 0;
    // One of `items` or a name typed in, starting at `current`; nothing on cancel.
    virtual std::optional<QString> GetItemName(QWidget* parent, const QString& title,
                                               const QString& label, const QStringList& items,
                                               const QString& current) = 0;
    // The sample filters, one condition per entry, each one that ParseCondition reads; `items`
    // are the log's item names to choose from. Nothing on cancel.
    virtual std::optional<QStringList> EditFilters(QWidget* parent, const QStringList& conditions,
                                                   const QStringList& items) = 0;
    // The computed items' definitions, one NAME=EXPR per entry, checked by `check` as they are
    // typed; `items` are names to choose from. Nothing on cancel, and no list with a fault.
    virtual std::optional<QStringList> EditDefinitions(QWidget* parent,
                                                       const QStringList& definitions,
                                                       const QStringList& items,
                                                       const DefinitionsCheck& check) = 0;
    // A Find's condition (empty: none), checked by `check` as it is typed; `items` are names to
    // choose from. Nothing on cancel, and no condition that `check` finds fault with.
    virtual std::optional<QString> GetFindCondition(QWidget* parent, const QString& condition,
                                                    const QStringList& items,
                                                    const ConditionCheck& check) = 0;
    virtual void Information(QWidget* parent, const QString& title, const QString& text) = 0;
    // Help → Keyboard Shortcuts: the list, until it is closed.
    virtual void ShowShortcuts(QWidget* parent, const std::vector<ShortcutRow>& rows) = 0;
    virtual void Warning(QWidget* parent, const QString& title, const QString& text) = 0;
};

// Puts the text on the clipboard, or says in a message titled `title` that the `what` could not
// be copied.
void CopyText(Dialogs& dialogs, QWidget* parent, const QString& title, const QString& what,
              const QString& text);

// The platform's own dialogs.
// The filters of the dialogs that choose a log; the second is preselected.
inline QStringList LogFileFilters() { return {"All Files (*.*)", "Kartlog Files (*.txt)"}; }

class QtDialogs : public Dialogs {
public:
    QString GetOpenFileName(QWidget* parent, const QString& initial, const QStringList& filters,
                            int selectedFilter) override;
    QString GetSaveFileName(QWidget* parent, const QString& initial, const QStringList& filters,
                            const QString& defaultSuffix) override;
    QStringList GetOpenFileNames(QWidget* parent, const QString& initial,
                                 const QStringList& filters, int selectedFilter) override;
    std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) override;
    std::optional<int> GetInteger(QWidget* parent, const QString& title, const QString& label,
                                  int value, int minimum, int maximum) override;
    std::optional<double> GetNumber(QWidget* parent, const QString& title, const QString& label,
                                    const QString& text, const NumberReader& read) override;
    std::optional<QString> GetItemName(QWidget* parent, const QString& title, const QString& label,
                                       const QStringList& items, const QString& current) override;
    std::optional<QStringList> EditFilters(QWidget* parent, const QStringList& conditions,
                                           const QStringList& items) override;
    std::optional<QStringList> EditDefinitions(QWidget* parent, const QStringList& definitions,
                                               const QStringList& items,
                                               const DefinitionsCheck& check) override;
    std::optional<QString> GetFindCondition(QWidget* parent, const QString& condition,
                                            const QStringList& items,
                                            const ConditionCheck& check) override;
    void Information(QWidget* parent, const QString& title, const QString& text) override;
    void ShowShortcuts(QWidget* parent, const std::vector<ShortcutRow>& rows) override;
    void Warning(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace grafolux
