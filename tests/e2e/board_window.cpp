// A full-screen window on each screen whose every device pixel encodes its own
// position, as make_board.py does: something to pick from on a compositor
// that draws no wallpaper of ours.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class Board : public QWidget {
  public:
    explicit Board(QScreen* screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
        setWindowState(Qt::WindowFullScreen);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        const QSize size(qRound(width() * ratio), qRound(height() * ratio));
        if (picture_.size() != size) {
            picture_ = QImage(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(picture_.scanLine(y));
                for (int x = 0; x < size.width(); ++x)
                    row[x] = qRgb(x & 255, y & 255, (((x >> 8) << 4) | (y >> 8)) & 255);
            }
            picture_.setDevicePixelRatio(ratio);
        }
        QPainter(this).drawImage(0, 0, picture_);
    }

  private:
    QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::unique_ptr<Board>> boards;
    for (QScreen* screen : QGuiApplication::screens()) {
        boards.push_back(std::make_unique<Board>(screen));
        boards.back()->show();
    }
    return QApplication::exec();
}
