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
    // Nothing on cancel.
    virtual std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) = 0;
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
    std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) override;
    void Information(QWidget* parent, const QString& title, const QString& text) override;
    void Warning(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace grafolux
