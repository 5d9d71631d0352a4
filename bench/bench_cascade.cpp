// Cost of one slider change through the update cascade, with the repaint it causes, on
// Qt's offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_cascade

#include "ChannelSlider.h"
#include "ClipboardReader.h"
#include "ImageScreenReader.h"
#include "MainWindow.h"
#include "SettingsStore.h"
#include "UrlLauncher.h"
#include "X11PickSource.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A black screen that is never read while the cascade runs.
class BenchPlatform final : public Platform {
public:
    std::unique_ptr<ScreenReader> screenReader() override {
        QImage screen(64, 64, QImage::Format_RGB32);
        screen.fill(Qt::black);
        return std::make_unique<ImageScreenReader>(screen);
    }
    std::optional<QPoint> pointerPosition() override { return std::nullopt; }
    void capturePointer(QWidget& /*window*/) override {}
    void releasePointer(QWidget& /*window*/) override {}
    void movePointerBy(QPoint /*offset*/) override {}
    std::optional<QRect> deviceGeometry(const QWidget& /*widget*/) override { return {}; }
    bool confinePointer(std::optional<QRect> /*area*/) override { return true; }
    void setFrame(QWidget& /*window*/, WindowFrame /*frame*/) override {}
    void setKeptAbove(QWidget& /*window*/, bool /*above*/) override {}
    std::unique_ptr<ClipboardReader> clipboardReader() override {
        return std::make_unique<QtClipboardReader>();
    }
};

} // namespace

class CascadeBench : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cascadeOnly();
    void cascadeAndRepaint();
    void threeChannelsAndRepaint();
    void threeChannelsRepaintEach();

private:
    std::unique_ptr<BenchPlatform> m_platform;
    std::unique_ptr<X11PickSource> m_picks;
    QTemporaryDir m_settingsDir;
    std::unique_ptr<SettingsStore> m_settings;
    UrlLauncher m_links; // never asked: no link is clicked
    std::unique_ptr<MainWindow> m_form;
    ChannelSlider* slider(const char* name) const {
        return m_form->findChild<ChannelSlider*>(QString::fromLatin1(name));
    }
};

// A fresh, shown window for each benchmark.
void CascadeBench::init() {
    m_platform = std::make_unique<BenchPlatform>();
    m_picks = std::make_unique<X11PickSource>(*m_platform);
    m_settings =
        std::make_unique<SettingsStore>(m_settingsDir.filePath(QStringLiteral("settings.json")));
    m_form = std::make_unique<MainWindow>(*m_platform, *m_picks, *m_settings, m_links);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void CascadeBench::cleanup() {
    m_form.reset();
    m_picks.reset();
    m_settings.reset();
    m_platform.reset();
}

void CascadeBench::cascadeOnly() {
    ChannelSlider* red = slider("redSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
    }
}

void CascadeBench::cascadeAndRepaint() {
    ChannelSlider* red = slider("redSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
        QCoreApplication::processEvents();
    }
}

// What one pick tick does to the window: one new colour, then one repaint.
void CascadeBench::threeChannelsAndRepaint() {
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        m_form->setColour(Rgb(value, 255 - value, value ^ 0x55));
        QCoreApplication::processEvents();
    }
}

// Three slider changes with the window repainted after each, as drawing every channel's
// change straight onto the screen would: the baseline for the one repaint above.
void CascadeBench::threeChannelsRepaintEach() {
    ChannelSlider* red = slider("redSlider");
    ChannelSlider* green = slider("greenSlider");
    ChannelSlider* blue = slider("blueSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
        QCoreApplication::processEvents();
        green->setValue(255 - value);
        QCoreApplication::processEvents();
        blue->setValue(value ^ 0x55);
        QCoreApplication::processEvents();
    }
}

QTEST_MAIN(CascadeBench)
#include "bench_cascade.moc"
