#include "draw/DisplayText.h"

#include <QByteArrayView>

namespace grafolux {

QString DisplayText(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return view.isValidUtf8() ? QString::fromUtf8(view) : QString::fromLatin1(view);
}

}  // namespace grafolux
