#pragma once
// The File menu's correction: a chosen log rewritten beside itself with its flag-bit columns
// named in the right order, and the user told where, or why not.

#include <QObject>

class QWidget;

namespace grafolux {

class Dialogs;
struct DisplayState;

class LogCorrection : public QObject {
public:
    LogCorrection(const DisplayState& shown, Dialogs& dialogs, QWidget& window);

    void mBugCorrect_Click();

private:
    const DisplayState& shown_;
    Dialogs& dialogs_;
    QWidget& window_;
};

}  // namespace grafolux
