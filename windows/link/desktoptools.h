// The desktop operations the calculation windows need from outside: keystrokes to the active
// program, the documents folder, a folder test and keeping a window on top. On Linux the
// companion program is a console process, so "keystrokes" are written to its standard input.
#pragma once

#include <QPointer>
#include <QProcess>
#include <QString>

class QWidget;

namespace qrv {

class DesktopTools {
public:
    static constexpr int kDocumentsFolder = 5;

    // Makes `process` the one that sendKeys() feeds. False when it is not running.
    bool activate(QProcess* process);

    // Writes the characters to the active program in order; "\r" acts as Enter (a newline).
    // False when there is no running active program or the write fails.
    bool sendKeys(const QString& text);

    // The folder for `code` ending with "/", or an empty text (only 5, documents, is known).
    QString specialFolder(int code) const;

    bool pathExists(const QString& folder) const;

    void keepOnTop(QWidget* window, bool onTop = true) const;

private:
    QPointer<QProcess> m_active;
};

} // namespace qrv
