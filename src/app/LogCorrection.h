#pragma once
// The File menu's correction: a chosen log rewritten beside itself with its flag-bit columns
// named in the right order, and the user told where, or why not.

#include <QObject>

class QWidget;

namespace grafolux {

class ActionRegistry;
class Dialogs;
class LogDocument;

class LogCorrection : public QObject {
public:
    LogCorrection(const LogDocument& document, ActionRegistry& actions, Dialogs& dialogs,
                  QWidget& window);

private:
    void mBugCorrect_Click();

    const LogDocument& document_;
    Dialogs& dialogs_;
    QWidget& window_;
};

}  // namespace grafolux
