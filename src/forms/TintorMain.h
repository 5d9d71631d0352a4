#pragma once

#include "core/ColourRef.h"
#include "core/Sampling.h"
#include "platform/PlatformServices.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QTimer;
class QToolButton;
class TPaintBox;
class TThinTrackBar;
class TUpDown;

// The main window: three channel sliders with their spinners and text fields, the colour
// and web-safe swatches, the gradient bars and the two hexadecimal outputs; the sampler
// that follows the pointer, and pick mode, in which the sampler drives the sliders.
//
// Creation, the colour handlers and closing are in TintorMain.cpp, the sampler in
// TintorMainSampler.cpp, pick mode in TintorMainPick.cpp.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(PlatformServices& platform, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Controls, by the names the layout gives them.
    TPaintBox* MagBox;
    TThinTrackBar* TrackR;
    TThinTrackBar* TrackG;
    TThinTrackBar* TrackB;
    QLineEdit* EditR;
    TUpDown* UpDownR;
    QLineEdit* EditG;
    TUpDown* UpDownG;
    QLineEdit* EditB;
    TUpDown* UpDownB;
    QFrame* PanelR;
    TPaintBox* RedBox;
    QFrame* PanelG;
    TPaintBox* GreenBox;
    QFrame* PanelB;
    TPaintBox* BlueBox;
    QLabel* CoordsLbl;
    QLabel* HTMLOutLbl;
    QLineEdit* HTMLOutEdit;
    QLabel* WebOutLbl;
    QLineEdit* WebOutEdit;
    TPaintBox* ColourPnl;
    TPaintBox* SolidColPnl;
    QPushButton* OptBtn;
    QToolButton* SpeedAbout;
    QPushButton* PFSBtn;
    QTimer* PickTmr;

    // Fields.
    QString ProgramName;
    QString VersionText;
    QString CopyrightText;
    SamplingMethod ActiveMethod = 0;
    SamplingMethod ChosenMethod = 0;
    QImage SampleBitmap;
    QImage GradientBitmap;
    std::unique_ptr<ScreenContext> ScreenDC;

    // The colour the three sliders hold.
    [[nodiscard]] ColourRef CurrentColour() const;

    // Redraws the gradient bar of channel 1..3; any other channel does nothing.
    void PaintGradientBar(int channel);

    // The update cascade, run whenever slider `sender` notifies a change.
    void TrackChange(TThinTrackBar* sender);
    void ColEditChange(QLineEdit* sender);
    void UpDownRClick();
    void UpDownGClick();
    void UpDownBClick();
    void SolidColPnlDblClick();

    // Shows the About window modally.
    void SpeedAboutClick();

    // The sampler: one tick of the 50 ms timer, and putting ChosenMethod in force.
    void PickTmrTimer();
    void ApplySamplingMethod();

    // Runs the options dialog and stores its result; throws SettingsError when the
    // choice cannot be stored.
    void OptBtnClick();

    // Pick mode: on while PFSBtn is disabled.
    void PFSBtnClick();
    void LeftButtonDown(QMouseEvent* event);
    void RightButtonDown(QMouseEvent* event);
    void AppDeactivate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void FormCreate();
    void FormClose();

    void ColourPnlPaint(QPainter& painter);
    void SolidColPnlPaint(QPainter& painter);
    void OutBoxPaint(const TPaintBox* sender, QPainter& painter);
    void UpDownClick(int channel);

    void SetUpSampler();
    void sizeSampleBitmap();
    void MagBoxPaint(QPainter& painter);
    void showCoordinates(ScreenPoint point);
    void ActivateFromNotice();

    [[nodiscard]] TThinTrackBar* slider(int channel) const;  // channel 1..3
    [[nodiscard]] TPaintBox* gradientBox(int channel) const; // channel 1..3
    [[nodiscard]] TUpDown* spinner(int index) const;         // index 0..2
    [[nodiscard]] QLineEdit* channelEdit(int index) const;   // index 0..2

    PlatformServices& m_platform;
    // The last block read, reused by every tick.
    std::array<ColourRef, MaxBlockSide * MaxBlockSide> m_block{};
    std::optional<ScreenPoint> m_shownCoordinates;
    // Posts the activation after a pick: it runs from the event loop once the press
    // handler has returned.
    QTimer* m_activationNotice;
    // The press that ended a pick: the capture is kept until its release, so the release
    // does not land in the application under the pointer.
    Qt::MouseButton m_captureHeldUntilRelease = Qt::NoButton;
};

// The program's one main window.
extern TMainForm* MainForm;
