// What the calculation routines need from the program around them: message boxes, the
// texts, colours and states of named controls, event processing and pauses. The desktop
// program maps control names to widgets (objectName), the command-line tool records them.
// The engine never sleeps by itself: a pause is the host's.
//
// A host listens to the closed-form model and shows its events as the windows always have:
// a fault as a message box, a path's final state as the results window's path caption, a
// held step as a second's pause, the equilibrium in the equilibrium window.
#pragma once

#include "base/appidentity.h"
#include "model/modelevents.h"

#include <string_view>

namespace qrv {

struct Control;

enum class Window { Main, Calc, Results };
enum class Icon { None, Critical, Exclamation, Information };
enum class TextColour { ButtonText, Red };

class EngineHost : public ModelEvents {
public:
    // A message box with the application title as caption.
    virtual void message(std::string_view text, Icon icon) = 0;

    // Controls are those the window descriptions name (display/inputwindow.h,
    // equilibriumwindow.h, resultswindow.h): a control's window and name come with it.
    virtual void setText(const Control& control, std::string_view text) = 0;
    virtual void setEnabled(const Control& control, bool enabled) = 0;
    virtual void setVisible(const Control& control, bool visible) = 0;
    virtual void setBold(const Control& control, bool bold) = 0;
    virtual void setColour(const Control& control, TextColour colour) = 0;
    virtual void setChecked(const Control& control, bool checked) = 0;

    // Lets pending window events run (repaints).
    virtual void processEvents() = 0;
    // Waits, keeping the windows alive; the command-line tool returns at once.
    virtual void pause(int milliseconds) = 0;
    // A run was stored: the plot window redraws itself when it is visible.
    virtual void runStored() = 0;
    // False for a host that keeps no window texts (a sweep's runs that nobody reads): the
    // texts are then not even formatted.
    virtual bool showsTexts() const { return true; }

    void warning(ModelWarning warning) override;
    void pathStage(PathStage stage) override;
    // Lets the results window repaint, then holds the caption on screen for a second.
    void holdProgress() override;
    void equilibriumFound(const CalcState& s) override;

protected:
    void faultReported(std::string_view routine, EngineFault fault) override;

private:
    friend void reportFault(EngineHost& host, std::string_view routine, std::string_view description);
};

// Reports a routine's failure the way every routine does, and counts it with the model's:
// its name, " error: ", the description, a line break and "Try different values", with the
// critical icon. For the program's own routines (Continue, Calculate) with a description of
// their own.
void reportFault(EngineHost& host, std::string_view routine, std::string_view description);

} // namespace qrv
