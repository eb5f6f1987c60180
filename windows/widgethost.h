// The engine's host in the desktop program: control names are widget object names inside the
// window that the engine addresses, message boxes go through a presenter, and a pause waits
// in a local event loop so that the windows keep repainting. It keeps a record of what it
// wrote, as the command-line tool's host does, so that a run's result holds what its windows
// showed without reading it back from them.
#pragma once

#include "display/windowrecord.h"

#include <QPointer>
#include <QString>

#include <functional>

class QEventLoop;
class QWidget;

namespace qrv {

class MessagePresenter;
class PlotView;

class WidgetHost : public EngineHost {
public:
    // Returns the window, loading it when needed, or nullptr while the program shuts down.
    using WindowLoader = std::function<QWidget*(Window)>;

    WidgetHost(WindowLoader loader, MessagePresenter& presenter);

    void message(std::string_view text, Icon icon) override;
    void setText(const Control& control, std::string_view text) override;
    void setEnabled(const Control& control, bool enabled) override;
    void setVisible(const Control& control, bool visible) override;
    void setBold(const Control& control, bool bold) override;
    void setColour(const Control& control, TextColour colour) override;
    void setChecked(const Control& control, bool checked) override;
    void processEvents() override;
    void pause(int milliseconds) override;
    void runStored() override;

    // The widget of a described control in its window, loading the window when needed.
    QWidget* widgetOf(const Control& control) const;

    // What the routines wrote since the windows loaded, and the messages and captions since
    // the log was last cleared.
    const WindowRecord& record() const { return m_record; }
    void clearLog() { m_record.clearLog(); }
    // The window was loaded anew: its controls show their design again.
    void windowLoaded(Window window) { m_record.forget(window); }

    void setPlotView(PlotView* view) { m_plotView = view; }
    // Multiplies every pause (tests shorten them); 1 by default.
    void setPauseScale(double scale) { m_pauseScale = scale; }
    // Ends a pause that is waiting, and every later one, at once: the program is closing.
    void cancelPauses();

    MessagePresenter& presenter() const { return m_presenter; }

private:
    WindowLoader m_loader;
    MessagePresenter& m_presenter;
    WindowRecord m_record;
    PlotView* m_plotView = nullptr;
    double m_pauseScale = 1.0;
    bool m_pausesCancelled = false;
    QPointer<QEventLoop> m_pauseLoop;
};

// Sets a control's caption whatever its kind (label, text box, button, frame).
void setControlText(QWidget* widget, const QString& text);
QString controlText(const QWidget* widget);

} // namespace qrv
