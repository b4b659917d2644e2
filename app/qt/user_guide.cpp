// The user guide that F1 opens.
#include "app/qt/user_guide.h"

#include <QDir>
#include <QFileInfo>

namespace pile {

QString userGuidePath(const QString& programDir) {
    const QDir dir(programDir);
    const QString name = QString::fromUtf8(kUserGuideName);
    for (const QString& candidate :
         {dir.filePath(QStringLiteral("../share/doc/rockpile/") + name), dir.filePath(name)}) {
        const QFileInfo file(candidate);
        if (file.isFile()) return file.canonicalFilePath();
    }
    return {};
}

}  // namespace pile
