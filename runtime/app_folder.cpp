#include "runtime/app_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace rt {

QString applicationFolder()
{
    QString dir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir;
}

QString joinFolder(const QString& folder, const QString& fileName)
{
    return folder.endsWith(u'/') ? folder + fileName : folder + u'/' + fileName;
}

} // namespace rt
