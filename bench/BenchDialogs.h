#pragma once
// Dialogs for the window's benchmarks: nothing is asked but what a benchmark scripts, the
// computed items' definitions and a Find's condition, given every time they are asked for.

#include <optional>

#include "app/Dialogs.h"

namespace grafolux {

class BenchDialogs : public Dialogs {
public:
    std::optional<QStringList> definitions;
    std::optional<QString> condition;

    QString GetOpenFileName(QWidget*, const QString&, const QStringList&, int) override {
        return {};
    }
    QString GetSaveFileName(QWidget*, const QString&, const QStringList&, const QString&) override {
        return {};
    }
    QStringList GetOpenFileNames(QWidget*, const QString&, const QStringList&, int) override {
        return {};
    }
    std::optional<QColor> GetColor(QWidget*, const QColor&) override { return std::nullopt; }
    std::optional<int> GetInteger(QWidget*, const QString&, const QString&, int, int,
                                  int) override {
        return std::nullopt;
    }
    std::optional<double> GetNumber(QWidget*, const QString&, const QString&, double, double,
                                    double, int) override {
        return std::nullopt;
    }
    std::optional<QString> GetItemName(QWidget*, const QString&, const QString&, const QStringList&,
                                       const QString&) override {
        return std::nullopt;
    }
    std::optional<QStringList> EditFilters(QWidget*, const QStringList&,
                                           const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QStringList> EditDefinitions(QWidget*, const QStringList&, const QStringList&,
                                               const DefinitionsCheck&) override {
        return definitions;
    }
    std::optional<QString> GetFindCondition(QWidget*, const QString&, const QStringList&,
                                            const ConditionCheck&) override {
        return condition;
    }
    void Information(QWidget*, const QString&, const QString&) override {}
    void Warning(QWidget*, const QString&, const QString&) override {}
    void ShowShortcuts(QWidget*, const std::vector<ShortcutRow>&) override {}
};

}  // namespace grafolux
