#pragma once
// The window's modal dialogs behind one interface, so that tests can script a chosen path,
// a cancel (an empty result) or a colour.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace grafolux {

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
    // The sample filters, one condition per entry, each one that ParseCondition reads; `items`
    // are the log's item names to choose from. Nothing on cancel.
    virtual std::optional<QStringList> EditFilters(QWidget* parent, const QStringList& conditions,
                                                   const QStringList& items) = 0;
    virtual void Information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void Warning(QWidget* parent, const QString& title, const QString& text) = 0;
};

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
    std::optional<QStringList> EditFilters(QWidget* parent, const QStringList& conditions,
                                           const QStringList& items) override;
    void Information(QWidget* parent, const QString& title, const QString& text) override;
    void Warning(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace grafolux
