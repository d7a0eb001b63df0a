#pragma once
// Dialogs that answer from a script instead of asking, and remember what they were asked.

#include <QStringList>
#include <deque>

#include "app/Dialogs.h"

namespace grafolux {

class ScriptedDialogs : public Dialogs {
public:
    std::deque<QString> paths;                     // answers of the file dialogs; "" is a cancel
    std::deque<std::optional<QColor>> colors;      // answers of the colour dialog
    std::deque<QStringList> fileLists;             // answers of the multi-file dialog; {} cancels
    std::deque<std::optional<int>> integers;       // answers of the number dialog
    int offeredInteger = 0;                        // what the number dialog was last given
    std::deque<std::optional<QString>> numbers;    // typed in the decimal dialog
    std::deque<std::optional<QString>> itemNames;  // answers of the item name dialog
    std::deque<std::optional<QStringList>> filterLists;  // answers of the filter dialog
    QStringList offeredFilters, offeredItems;            // what the filter dialog was last given
    std::deque<std::optional<QStringList>> definitionLists;  // answers of "Computed Items"
    std::vector<DefinitionProblem> definitionProblems;       // the check of the last answer
    std::deque<std::optional<QString>> findConditions;       // answers of "Find"
    QStringList initialPaths;                                // what each file dialog offered
    QStringList messages;                                    // "title|text" of every message box
    std::vector<ShortcutRow> shortcuts;                      // the last Keyboard Shortcuts list

    QString GetOpenFileName(QWidget*, const QString& initial, const QStringList&, int) override {
        return Next(initial);
    }
    QString GetSaveFileName(QWidget*, const QString& initial, const QStringList&,
                            const QString&) override {
        return Next(initial);
    }
    QStringList GetOpenFileNames(QWidget*, const QString& initial, const QStringList&,
                                 int) override {
        initialPaths << initial;
        return Take(fileLists);
    }
    std::optional<QColor> GetColor(QWidget*, const QColor&) override { return Take(colors); }
    std::optional<int> GetInteger(QWidget*, const QString&, const QString&, int value, int,
                                  int) override {
        offeredInteger = value;
        return Take(integers);
    }
    // A text the dialog does not read leaves OK disabled: it is cancelled.
    std::optional<double> GetNumber(QWidget*, const QString&, const QString&, const QString&,
                                    const NumberReader& read) override {
        const auto typed = Take(numbers);
        return typed ? read(*typed) : std::nullopt;
    }
    std::optional<QString> GetItemName(QWidget*, const QString&, const QString&, const QStringList&,
                                       const QString&) override {
        return Take(itemNames);
    }
    std::optional<QStringList> EditFilters(QWidget*, const QStringList& conditions,
                                           const QStringList& items) override {
        offeredFilters = conditions;
        offeredItems = items;
        return Take(filterLists);
    }
    std::optional<QStringList> EditDefinitions(QWidget*, const QStringList&, const QStringList&,
                                               const DefinitionsCheck& check) override {
        std::optional<QStringList> answer = Take(definitionLists);
        definitionProblems = answer ? check(*answer) : std::vector<DefinitionProblem>{};
        return answer;
    }
    std::optional<QString> GetFindCondition(QWidget*, const QString&, const QStringList&,
                                            const ConditionCheck&) override {
        return Take(findConditions);
    }
    void Information(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
    }
    void Warning(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
    }
    void ShowShortcuts(QWidget*, const std::vector<ShortcutRow>& rows) override {
        shortcuts = rows;
    }

private:
    template <typename T>
    static T Take(std::deque<T>& answers) {
        if (answers.empty()) return {};
        // Popped after the answer is moved into the caller's value: no local copy, which
        // GCC 12 wrongly reports as maybe uninitialized for an optional list.
        struct PopFront {
            std::deque<T>& answers;
            ~PopFront() { answers.pop_front(); }
        } pop{answers};
        return std::move(answers.front());
    }
    QString Next(const QString& initial) {
        initialPaths << initial;
        if (paths.empty()) return {};
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

}  // namespace grafolux
