#pragma once

#include "codetable.h"

#include <QObject>
#include <QString>

// Opens the table in the desktop's application for text files through the desktop's opener,
// xdg-open (Linux has no Notepad). The opener is never waited for, so the window stays
// responsive while it runs. Most openers hand the file over and exit; one that exits with a
// failure status is reported through openFailed, long after "Print" has returned. Some run the
// viewer in their own foreground and exit only when it closes: that is success, and such an
// opener lives on when Kodvik ends.
class DesktopViewer final : public QObject {
    Q_OBJECT

public:
    explicit DesktopViewer(QString opener = QStringLiteral("xdg-open"), QObject* parent = nullptr);
    ~DesktopViewer() override;
    DesktopViewer(const DesktopViewer&) = delete;
    DesktopViewer& operator=(const DesktopViewer&) = delete;

    // What the window starts the viewer with. Gives the reason when the opener cannot start.
    [[nodiscard]] kodvik::ViewerStarter starter();

signals:
    void openFailed(const kodvik::TableFailure& failure);

private:
    [[nodiscard]] std::optional<std::string> start(std::string_view fileName);
    void watch(int pid);

    QString opener;
};
