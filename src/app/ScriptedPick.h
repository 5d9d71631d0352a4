#pragma once

#include "ColourNotation.h"

#include <QObject>

class MainWindow;

// `tintor --pick`: the window picks as soon as it shows, and the run ends with the pick.  A
// pick that keeps its colour prints it on stdout in the form asked for, and the status is
// 0; Escape, a failed pick or the window closed print nothing, and the status is 1.
class ScriptedPick : public QObject {
    Q_OBJECT
public:
    // `window` is shown already; it owns this.
    ScriptedPick(MainWindow& window, ColourForm form);

    // What the program should end with.
    [[nodiscard]] int exitStatus() const { return m_exitStatus; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPickEnded(bool kept);

    MainWindow& m_window;
    ColourForm m_form;
    bool m_started = false;
    int m_exitStatus = 1;
};
