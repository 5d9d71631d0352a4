#include "WidgetTest.h"

#include "ChannelSlider.h"
#include "GradientBar.h"
#include "ScreenshotPickSource.h"
#include "SettingsStore.h"
#include "StepArrows.h"
#include "X11PickSource.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>

namespace {

bool reachedByTab(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0 && widget->focusProxy() == nullptr;
}

// A control a user reaches by Tab, unless it only holds such controls (a view, whose controls
// speak for it); or a label, text box or button of the window or of a plain frame in it, not
// a part of a compound control.
bool isControl(const QWidget* widget) {
    if (reachedByTab(widget)) {
        const QList<QWidget*> inside = widget->findChildren<QWidget*>();
        return std::none_of(inside.begin(), inside.end(), reachedByTab);
    }
    if (!widget->inherits("QLabel") && !widget->inherits("QAbstractScrollArea") &&
        !widget->inherits("QAbstractButton")) {
        return false;
    }
    for (const QWidget* up = widget->parentWidget(); !up->isWindow(); up = up->parentWidget()) {
        if (up->metaObject() != &QWidget::staticMetaObject &&
            up->metaObject() != &QFrame::staticMetaObject) {
            return false;
        }
    }
    return true;
}

QByteArray channelPart(Channel channel, const char* part) {
    static const char* const names[] = {"red", "green", "blue"};
    return QByteArray(names[static_cast<int>(channel)]) + part;
}

} // namespace

WidgetTest::WidgetTest(InterfaceLanguage language, std::unique_ptr<DesktopCapture> desktopPicker)
    : m_platform(std::make_unique<FakePlatform>()),
      m_translator(std::make_unique<Translator>(language)) {
    if (desktopPicker) {
        m_picks = std::make_unique<ScreenshotPickSource>(*m_platform, std::move(desktopPicker));
    } else {
        m_picks = std::make_unique<X11PickSource>(*m_platform);
    }
    restart();
}

WidgetTest::~WidgetTest() {
    m_window.reset();
    m_translator.reset();
}

void WidgetTest::restart() {
    m_window.reset();
    m_window = std::make_unique<MainWindow>(*m_platform, *m_picks, m_settings, m_links);
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        qWarning("the main window was not exposed");
    }
    QCoreApplication::processEvents(); // the window builds its dialogs once it shows
}

ChannelSlider* WidgetTest::slider(Channel channel) const {
    return find<ChannelSlider>(channelPart(channel, "Slider").constData());
}

QLineEdit* WidgetTest::field(Channel channel) const {
    return find<QLineEdit>(channelPart(channel, "Field").constData());
}

StepArrows* WidgetTest::arrows(Channel channel) const {
    return find<StepArrows>(channelPart(channel, "Arrows").constData());
}

GradientBar* WidgetTest::gradient(Channel channel) const {
    return find<GradientBar>(channelPart(channel, "Gradient").constData());
}

QPoint WidgetTest::handleCentre(Channel channel) const {
    ChannelSlider* track = slider(channel);
    QStyleOptionSlider option;
    option.initFrom(track);
    option.orientation = Qt::Horizontal;
    option.minimum = track->minimum();
    option.maximum = track->maximum();
    option.sliderPosition = track->sliderPosition();
    option.sliderValue = track->value();
    return track->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track)
        .center();
}

void WidgetTest::setColour(Rgb colour) const {
    for (const Channel channel : AllChannels) {
        slider(channel)->setValue(colour.channel(channel));
    }
}

bool WidgetTest::restartWithMethod(int method) {
    if (!m_settings.write(Settings::Method, method)) {
        return false;
    }
    restart();
    return true;
}

bool WidgetTest::activate() {
    m_window->activateWindow();
    return QTest::qWaitForWindowActive(m_window.get());
}

bool WidgetTest::waitForSample() {
    const auto reads = [this] { return m_platform->pixelReads + m_platform->blockReads; };
    const int before = reads();
    return QTest::qWaitFor([&] { return reads() > before; });
}

bool WidgetTest::pickFrom(Rgb picked) {
    m_platform->paint(30, 40, picked);
    m_platform->pointer = QPoint(30, 40);
    QTest::mouseClick(find<QPushButton>("pickButton"), Qt::LeftButton);
    return m_window->isPicking() && QTest::qWaitFor([&] { return m_window->colour() == picked; });
}

bool WidgetTest::breakSettingsStore() {
    const QString directory = QFileInfo(m_settings.path()).absolutePath();
    if (QFileInfo::exists(directory) && !QDir(directory).removeRecursively()) {
        return false;
    }
    QFile blocker(directory);
    return blocker.open(QIODevice::WriteOnly);
}

QString WidgetTest::unnamedControls(const QWidget& window) {
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        if (!control->isWindow() && isControl(control) &&
            (accessible == nullptr || accessible->text(QAccessible::Name).isEmpty())) {
            unnamed << control->objectName() + QLatin1Char(':') +
                           control->metaObject()->className();
        }
    }
    return unnamed.join(QLatin1Char(' '));
}

void WidgetTest::silenceOffscreenWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support"))) {
                previous(type, context, text);
            }
        });
}
