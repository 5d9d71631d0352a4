// The least a Qt Widgets program does to show a window: a label, a line edit and a
// button, nothing read or written at start.  bench_startup measures Tintor against it, so
// the figure it reports is the cost Tintor adds over Qt's own start-up.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Start-up floor"));
    // Tintor's window size, so the server maps and clears as many pixels for both.
    window.resize(264, 168);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Label"), &window));
    layout->addWidget(new QLineEdit(&window));
    layout->addWidget(new QPushButton(QStringLiteral("Button"), &window));
    window.show();
    return QApplication::exec();
}
