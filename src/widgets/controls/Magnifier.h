#pragma once

#include <QImage>
#include <QWidget>

// The pixels under the pointer, each drawn as a sharp square cell over a 48 x 48 area.
class Magnifier : public QWidget {
    Q_OBJECT
public:
    explicit Magnifier(QWidget* parent = nullptr);

    [[nodiscard]] const QImage& image() const { return m_image; }
    // A null image shows nothing: the window's background shows through.
    void setImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
