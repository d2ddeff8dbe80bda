// The floor every Qt program pays: a window of the main window's size with
// four tabs and a line of text on each, nothing drawn or read of its own.
#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.setFixedSize(593, 435);
    auto* tabs = new QTabWidget(&window);
    for (const char* name : {"Named Colors", "Safety Palette", "Custom Color", "Favorites"}) {
        tabs->addTab(new QLabel(QStringLiteral("A line of text on the page %1.").arg(name)),
                     QString::fromLatin1(name));
    }
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(tabs);
    window.show();
    return QApplication::exec();
}
