#pragma once

#include "core/ColourRef.h"
#include "platform/PlatformServices.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QToolButton;
class TPaintBox;
class TThinTrackBar;
class TUpDown;

// The main window: three channel sliders with their spinners and text fields, the colour
// and web-safe swatches, the gradient bars and the two hexadecimal outputs.
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

    // Fields.
    QString ProgramName;
    QString VersionText;
    QString CopyrightText;
    std::uint8_t ActiveMethod = 0;
    std::uint8_t ChosenMethod = 0;
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void FormCreate();
    void FormClose();

    void ColourPnlPaint(QPainter& painter);
    void SolidColPnlPaint(QPainter& painter);
    void OutBoxPaint(const TPaintBox* sender, QPainter& painter);
    void UpDownClick(int channel);

    [[nodiscard]] TThinTrackBar* slider(int channel) const;  // channel 1..3
    [[nodiscard]] TPaintBox* gradientBox(int channel) const; // channel 1..3
    [[nodiscard]] TUpDown* spinner(int index) const;         // index 0..2
    [[nodiscard]] QLineEdit* channelEdit(int index) const;   // index 0..2

    PlatformServices& m_platform;
};

// The program's one main window.
extern TMainForm* MainForm;
