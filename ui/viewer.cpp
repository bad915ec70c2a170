#include "viewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

kodvik::ViewerStarter desktopViewer()
{
    return [](std::string_view fileName) -> std::optional<std::string> {
        const QString name =
            QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath()))) {
            return std::nullopt;
        }
        return "no application to open text files could be started";
    };
}
