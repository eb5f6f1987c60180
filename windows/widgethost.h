// The engine's host in the desktop program: control names are widget object names inside the
// window that the engine addresses, message boxes go through a presenter, and a pause waits
// in a local event loop so that the windows keep repainting.
#pragma once

#include "display/enginehost.h"

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
    void setText(Window window, std::string_view control, std::string_view text) override;
    void setEnabled(Window window, std::string_view control, bool enabled) override;
    void setVisible(Window window, std::string_view control, bool visible) override;
    void setBold(Window window, std::string_view control, bool bold) override;
    void setColour(Window window, std::string_view control, TextColour colour) override;
    void setChecked(Window window, std::string_view control, bool checked) override;
    void processEvents() override;
    void pause(int milliseconds) override;
    void runStored() override;

    // The caption or text of a named control; empty when there is none.
    QString text(Window window, std::string_view control) const;
    QWidget* control(Window window, std::string_view control) const;

    void setPlotView(PlotView* view) { m_plotView = view; }
    // Multiplies every pause (tests shorten them); 1 by default.
    void setPauseScale(double scale) { m_pauseScale = scale; }
    // Ends a pause that is waiting, and every later one, at once: the program is closing.
    void cancelPauses();

    MessagePresenter& presenter() const { return m_presenter; }

private:
    WindowLoader m_loader;
    MessagePresenter& m_presenter;
    PlotView* m_plotView = nullptr;
    double m_pauseScale = 1.0;
    bool m_pausesCancelled = false;
    QPointer<QEventLoop> m_pauseLoop;
};

// Sets a control's caption whatever its kind (label, text box, button, frame).
void setControlText(QWidget* widget, const QString& text);
QString controlText(const QWidget* widget);

} // namespace qrv
