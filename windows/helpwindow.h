// The help viewer: the program's help text, opened at a window's topic or at its start.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace qrv {

// Topic numbers of the windows that open help.
enum class HelpTopic { Contents = 0, Input = 2, Equilibrium = 3, Results = 4 };

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window and scrolls to the topic.
    void showTopic(HelpTopic topic);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace qrv
