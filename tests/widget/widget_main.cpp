#include <gtest/gtest.h>

#include <QApplication>

#include "ui/widgets/accessible_roles.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    velmor::InstallAccessibleRoles();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
