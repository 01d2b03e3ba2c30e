// The smallest honest Qt 6 clock-like window: a 150 x 150 image redrawn and repainted five
// times a second, with nothing else going on.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class MinimalWindow final : public QWidget
{
public:
    MinimalWindow()
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        resize(150, 150);
        move(400, 104);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_image.fill(qRgb(58, 110, 165));
            QPainter p(&m_image);
            p.drawLine(75, 75, 75 + (m_tick % 60), 10);
            ++m_tick;
            update();
        });
        m_timer.start(200);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(0, 0, m_image);
    }

private:
    QImage m_image{150, 150, QImage::Format_RGB32};
    QTimer m_timer;
    int m_tick = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MinimalWindow window;
    window.show();
    return app.exec();
}
