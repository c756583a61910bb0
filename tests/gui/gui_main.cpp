// GUI tests run on the real Qt view, offscreen.
#include <QApplication>
#include <gtest/gtest.h>

namespace {
// The offscreen platform reports every window feature it lacks; that is noise here.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (type != QtDebugMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
