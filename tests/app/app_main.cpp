#include <gtest/gtest.h>

#include <QGuiApplication>

// The models and flows run on Qt's GUI floor alone, with no widget anywhere.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
