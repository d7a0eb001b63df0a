#pragma once
// Dialogs that answer from a script instead of asking, and remember what they were asked.

#include <QStringList>
#include <deque>

#include "app/Dialogs.h"

namespace grafolux {

class ScriptedDialogs : public Dialogs {
public:
    std::deque<QString> paths;                 // answers of the file dialogs; "" is a cancel
    std::deque<std::optional<QColor>> colors;  // answers of the colour dialog
    QStringList initialPaths;                  // what each file dialog offered
    QStringList messages;                      // "title|text" of every message box

    QString GetOpenFileName(QWidget*, const QString& initial, const QStringList&, int) override {
        return Next(initial);
    }
    QString GetSaveFileName(QWidget*, const QString& initial, const QStringList&,
                            const QString&) override {
        return Next(initial);
    }
    std::optional<QColor> GetColor(QWidget*, const QColor&) override {
        if (colors.empty()) return std::nullopt;
        auto colour = colors.front();
        colors.pop_front();
        return colour;
    }
    void Information(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
    }
    void Warning(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
    }

private:
    QString Next(const QString& initial) {
        initialPaths << initial;
        if (paths.empty()) return {};
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

}  // namespace grafolux
