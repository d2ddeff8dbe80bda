// A helper window of known colours in known places for the picker's
// end-to-end test: at the screen's origin, 400 x 200, left half #12AB34,
// right half #FEDCBA.
#include <QApplication>
#include <QPainter>
#include <QWidget>

class Board : public QWidget {
  public:
    Board() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setGeometry(0, 0, 400, 200);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(0, 0, 200, 200, QColor(0x12, 0xAB, 0x34));
        painter.fillRect(200, 0, 200, 200, QColor(0xFE, 0xDC, 0xBA));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Board board;
    board.show();
    return QApplication::exec();
}
