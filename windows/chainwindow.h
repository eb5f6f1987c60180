// A window of the calculation chain. Closing it from the title bar only asks: the program
// decides what a close means (going back, ending the program) and unloads it itself.
#pragma once

#include <QWidget>

class QPushButton;

namespace qrv {

class ChainWindow : public QWidget {
    Q_OBJECT
public:
    ChainWindow(const QString& name, QWidget* parent = nullptr);

    // Closes and, unless this is the input window, deletes the window.
    void unload();
    // Unloaded, and only waiting to be deleted: a window to make anew, not to show again.
    bool unloading() const { return m_unloading; }
    // Minimises the window at the size its contents ask for now: a window that a pending layout
    // resizes after it was minimised is shown again by the window manager, over the others.
    void minimise();

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_unloading = false;
};

// A help button with the theme's help icon, captioned "?" where the theme has none.
QPushButton* makeHelpButton(const QString& name, QWidget* parent);

} // namespace qrv
