#include "windows/windowplacement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// How much of the window's top strip must lie on a screen for the user to grab it.
constexpr int kGrabWidth = 80;
constexpr int kGrabHeight = 20;

// The screens of this desktop, their areas free of panels.
QList<QRect> screenAreas()
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

// How long a window is given to be framed before the program goes on regardless.
constexpr qint64 kMostFramingMs = 2000;

const QString kKeeperName = QStringLiteral("qrvScreenKeeper");

} // namespace

int pixelsToTwips(int pixels, double logicalDpi)
{
    return int(std::lround(pixels * kTwipsPerInch / logicalDpi));
}

int twipsToPixels(int twips, double logicalDpi)
{
    return int(std::lround(twips * logicalDpi / kTwipsPerInch));
}

std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size, const QList<QRect>& screens)
{
    const QRect titleStrip(topLeft, QSize(size.width(), kGrabHeight));
    for (const QRect& screen : screens) {
        const QRect visible = screen.intersected(titleStrip);
        if (visible.width() >= std::min(kGrabWidth, size.width()) && visible.height() >= kGrabHeight)
            return topLeft;
    }
    return std::nullopt;
}

std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size)
{
    return placementOnScreens(topLeft, size, screenAreas());
}

QRect fittedOnScreens(QRect frame, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return frame;
    const auto overlap = [&frame](const QRect& screen) {
        const QRect shared = screen.intersected(frame);
        return qint64(shared.width()) * shared.height();
    };
    const auto distance = [&frame](const QRect& screen) {
        const QPoint gap(std::max({0, screen.left() - frame.right(), frame.left() - screen.right()}),
                         std::max({0, screen.top() - frame.bottom(), frame.top() - screen.bottom()}));
        return gap.manhattanLength();
    };
    const QRect holder = *std::min_element(screens.begin(), screens.end(), [&](const QRect& a, const QRect& b) {
        return overlap(a) != overlap(b) ? overlap(a) > overlap(b) : distance(a) < distance(b);
    });
    QRect fitted(frame.topLeft(), frame.size().boundedTo(holder.size()));
    fitted.moveLeft(std::clamp(fitted.left(), holder.left(), holder.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), holder.top(), holder.bottom() + 1 - fitted.height()));
    return fitted;
}

namespace {

// The window manager's frame around a window's client area: the window's own once it has been
// framed, otherwise that of another framed window of the program, otherwise none yet.
QMargins frameMargins(const QWidget& window)
{
    const auto margins = [](const QWidget& w) {
        const QRect frame = w.frameGeometry();
        const QRect client = w.geometry();
        return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                        frame.bottom() - client.bottom());
    };
    if (window.isVisible() && !margins(window).isNull())
        return margins(window);
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible() && !margins(*other).isNull())
            return margins(*other);
    return {};
}

// Moves the window whose frame is `frame` so that the frame becomes `fitted`, shrinking it by
// as much as the fit did.
void moveFrameTo(QWidget& window, const QRect& frame, const QRect& fitted)
{
    if (fitted.size() != frame.size())
        window.resize(window.size() - (frame.size() - fitted.size()));
    window.move(fitted.topLeft());
}

// Moves a window back wholly onto its screen after the program placed or resized it. A window
// manager frames a window some time after it is shown, and places a window resized before Qt
// knew its frame by its client area; so the check waits for the frame and for the window
// manager's move that follows a resize, and then leaves the window to the user's moves.
class ScreenKeeper : public QObject {
public:
    explicit ScreenKeeper(QWidget& window)
        : QObject(&window)
        , m_window(window)
    {
        setObjectName(kKeeperName);
        window.installEventFilter(this);
    }

    // Watches the window's moves until it stands framed and wholly on its screen.
    void arm()
    {
        m_armed = true;
        scheduleCheck();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && (event->type() == QEvent::Resize || (m_armed && event->type() == QEvent::Move)))
            arm();
        return false;
    }

private:
    void scheduleCheck()
    {
        if (m_checkPending)
            return;
        m_checkPending = true;
        QTimer::singleShot(0, this, [this] {
            m_checkPending = false;
            check();
        });
    }

    void check()
    {
        if (!m_window.isVisible() || m_window.isMinimized() || m_window.isMaximized() || m_window.isFullScreen())
            return;
        const QRect frame = m_window.frameGeometry();
        const bool framed = frame != m_window.geometry() || !windowManagerFrames();
        const QRect fitted = fittedOnScreens(frame, screenAreas());
        if (fitted == frame) {
            m_armed = !framed;
            return;
        }
        moveFrameTo(m_window, frame, fitted);
    }

    // Whether windows get a frame from a window manager at all (not offscreen, for one).
    static bool windowManagerFrames()
    {
        return QGuiApplication::platformName() == QLatin1String("xcb");
    }

    QWidget& m_window;
    bool m_armed = false;
    bool m_checkPending = false;
};

} // namespace

void showFrameAt(QWidget& window, QPoint topLeft)
{
    if (QLayout* layout = window.layout())
        layout->activate();
    auto* keeper = static_cast<ScreenKeeper*>(window.findChild<QObject*>(kKeeperName, Qt::FindDirectChildrenOnly));
    if (keeper == nullptr)
        keeper = new ScreenKeeper(window);
    const QRect frame(topLeft, window.size().grownBy(frameMargins(window)));
    moveFrameTo(window, frame, fittedOnScreens(frame, screenAreas()));
    window.show();
    keeper->arm();
    // Until the window manager has framed it: a window that its contents resize before then
    // (a run's long value, or a failure's message box over it) is placed by its client area,
    // with its title bar off the screen. Input stays with the window system meanwhile.
    const QPointer<QWidget> shown(&window);
    QElapsedTimer waited;
    waited.start();
    while (shown && shown->isVisible() && !shown->windowHandle()->isExposed() && waited.elapsed() < kMostFramingMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers, 20);
}

} // namespace qrv
