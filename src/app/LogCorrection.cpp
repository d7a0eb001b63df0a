#include "app/LogCorrection.h"

#include <QFile>
#include <QWidget>

#include "app/Dialogs.h"
#include "app/LogDocument.h"
#include "app/WindowActions.h"
#include "correct/BitOrderCorrection.h"

namespace grafolux {

LogCorrection::LogCorrection(const LogDocument& document, ActionRegistry& actions, Dialogs& dialogs,
                             QWidget& window)
    : QObject(&window), document_(document), dialogs_(dialogs), window_(window) {
    actions.Bind(ActionId::CorrectBitOrder, [this] { mBugCorrect_Click(); });
}

void LogCorrection::mBugCorrect_Click() {
    const QString path = dialogs_.GetOpenFileName(
        &window_, QFile::decodeName(document_.offeredPath().c_str()), LogFileFilters(), 2);
    if (path.isEmpty()) return;
    const CorrectionResult result = CorrectLogFile(QFile::encodeName(path).toStdString());
    if (result.ok)
        dialogs_.Information(&window_, "File Corrected",
                             "File has been corrected and saved as:\r\n\r\n" +
                                 QFile::decodeName(result.outputPath.c_str()));
    else
        dialogs_.Warning(&window_, "Correct Data",
                         "The file was not corrected:\n" + QString::fromStdString(result.error));
}

}  // namespace grafolux
