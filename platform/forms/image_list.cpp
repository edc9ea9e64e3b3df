#include "platform/forms/image_list.h"

#include <QDir>
#include <QFileInfo>

namespace forms {

int ImageList::addFolder(const QString& folder) {
    int added = 0;
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        QPixmap picture(file.filePath());
        if (picture.isNull()) continue;
        add(file.completeBaseName(), picture);
        ++added;
    }
    return added;
}

}  // namespace forms
