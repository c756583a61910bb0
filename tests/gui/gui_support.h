// Helpers for tests on the real Qt view.
#pragma once

#include "platform/picture.h"

#include <QApplication>
#include <QDir>
#include <QString>
#include <QTest>
#include <QWidget>

#include <functional>
#include <string>

// Where screenshots go (looked at by hand after a run).
inline QString ScreenshotPath(const QString &name) {
    QDir dir(QStringLiteral(QEN_SCREENSHOT_DIR));
    dir.mkpath(".");
    return dir.filePath(name + ".png");
}

inline void SaveScreenshot(QWidget *widget, const QString &name) {
    widget->grab().save(ScreenshotPath(name));
}

template <typename T> T *FindIn(int panel, const char *objectName) {
    QWidget *root = PanelWidget(panel);
    return root ? root->findChild<T *>(QString::fromLatin1(objectName)) : nullptr;
}

#include "registers/dataitem.h"

// Keeps the event loop turning until done() holds or the time is up.
inline bool SpinUntil(const std::function<bool()> &done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(1);
    }
    return true;
}

// Waits until the refresh thread has drawn the start-up picture (every parameter record
// and the main window), so a test's entries are not overwritten by it.
inline bool WaitForParameterRefresh() {
    bool drawn = SpinUntil([] {
        for (const DataTable &table : parameterTables)
            for (int i = 0; i < table.count; ++i)
                if (table.items[i].refreshFlag != 0)
                    return false;
        for (int i = 0; i < DATAITEM_OR_NUM; ++i)
            if ((i < 12 || i > 16) && dataItemOR[i].refreshFlag != 0)
                return false; // the bit words stay flagged
        return true;
    });
    QTest::qWait(100); // the drawing calls reach the widgets
    return drawn;
}
