// The GUI tests run on the offscreen platform with the user's configuration folder replaced by
// a temporary one, so nothing they do reaches the desktop or the user's settings.
#include "app/FileDialog.h"
#include "app/MessageBox.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBox::setAnsweringMode(true);
    FileDialog::setAnsweringMode(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
